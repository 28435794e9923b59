// What each vessel did over a run, gathered step by step and printed at the end:
// distance, top speed, when the engine started, door cycles, sounds played, keys passed.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/trace/call_trace.h"
#include "host/vessel/vessel_state.h"

namespace vesselhost {

// The one call the summary counts (sounds played): a run that writes no trace records
// only these.
inline constexpr char kSummaryCall[] = "PlayVesselWaveOBSound3";

struct VesselStats {
    double startX = 0, startZ = 0;
    double lastX = 0, lastZ = 0;
    double distance = 0; // m, along the path
    double topSpeed = 0; // m/s
    std::optional<double> engineStart; // s, start of the step that released the thrusters
    int doorsOpened = 0, doorsClosed = 0;
    double doorState = 0;
    int sounds = 0;                    // sound calls the library accepted
    std::map<long, int> soundsBySlot;
    std::map<std::string, int> keysPassed; // keys the vessel left to the simulator
};

class RunSummary {
public:
    explicit RunSummary(const std::vector<std::unique_ptr<host::Vessel>> &vessels);

    void KeyPassed(const host::Vessel &vessel, unsigned scanCode);
    // Counts the accepted sound calls among the calls of a step.
    void Calls(const std::vector<host::TraceCall> &calls);
    // A change worth telling, with its time.
    struct Note {
        double t;
        std::string text;
    };
    // After the step from `stepStart` to `stepEnd`; adds a note for every change worth
    // telling: the engine started (with the step's start, when the key came), the doors
    // open or closed (with its end, when they got there).
    void AfterStep(double stepStart, double stepEnd,
                   const std::vector<std::unique_ptr<host::Vessel>> &vessels,
                   std::vector<Note> &notes);

    void Print(std::FILE *out, const std::vector<std::unique_ptr<host::Vessel>> &vessels) const;
    // The lines Print gives for one vessel.
    std::string Text(const host::Vessel &vessel) const;
    const VesselStats *StatsOf(const host::Vessel &vessel) const; // null for no such vessel
    // The same per vessel as JSON, with the run's own figures: its steps of `step` s and
    // the wall time it took, s.
    std::string Json(const std::vector<std::unique_ptr<host::Vessel>> &vessels, std::int64_t steps,
                     double step, double wallTime) const;

private:
    std::vector<VesselStats> stats_; // by vessel id
    std::vector<int> doorAnimation_; // the left rear door leaf's animation, or -1
};

} // namespace vesselhost
