// What a report page shows of a run, gathered as it goes: every vessel's state at frames
// spaced evenly in time and thinned to what a page can draw and play, and the keys
// pressed. The channels carry the telemetry's column names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vessel/vessel_state.h"

namespace vesselhost {

// A frame at most every 1/30 s of simulated time, at most this many per vessel, and at
// most kFrameSamples vessel frames in all (a big fleet plays at a lower frame rate).
inline constexpr double kFramesPerSecond = 30;
inline constexpr std::int64_t kMaxFrames = 2000;
inline constexpr double kFrameSamples = 1.2e6;

// Steps from one frame to the next for a run of `steps` steps of `step` seconds.
std::int64_t FrameStride(std::int64_t steps, double step, std::size_t vessels);

// Whether a frame is taken after step k (0-based) of `steps`: every stride-th and the
// last, so the frames reach the end of the run.
bool FrameAfter(std::int64_t k, std::int64_t steps, std::int64_t stride);

struct KeyPress {
    double t; // s, when the key was handed to the vessel
    std::string key;
    bool taken; // false: passed on to the simulator
};

struct VesselRecord {
    std::vector<std::string> channelNames;
    std::vector<std::vector<float>> channels; // by channel, one value per frame
    std::vector<KeyPress> keys;
    std::size_t thrusters = 0, animations = 0; // as declared when the recording began
};

class ReportRecorder {
public:
    ReportRecorder(const std::vector<std::unique_ptr<host::Vessel>> &vessels, std::int64_t steps,
                   double step);

    // The state before the first step.
    void Start(const std::vector<std::unique_ptr<host::Vessel>> &vessels);
    // After step k, ending at time t.
    void AfterStep(std::int64_t k, double t,
                   const std::vector<std::unique_ptr<host::Vessel>> &vessels);
    void Key(const host::Vessel &vessel, double t, const std::string &key, bool taken);

    const std::vector<float> &Times() const { return times_; }
    const VesselRecord *RecordOf(const host::Vessel &vessel) const; // null if not recorded

private:
    void Frame(double t, const std::vector<std::unique_ptr<host::Vessel>> &vessels);

    std::int64_t steps_, stride_;
    std::vector<float> times_;          // s, by frame
    std::vector<VesselRecord> records_; // by vessel id
};

} // namespace vesselhost
