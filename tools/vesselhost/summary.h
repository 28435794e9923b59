// What each vessel did over a run, gathered step by step and printed at the end:
// distance, top speed, when the engine started, door cycles, sounds played, keys passed.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/simulator.h"
#include "host/vessel/vessel_state.h"

namespace vesselhost {

// What a step updates comes first, so that a large fleet's summary reads one or two
// cache lines of each vessel's figures per step.
struct VesselStats {
    double lastX = 0, lastZ = 0;
    double distance = 0; // m, along the path
    double topSpeed = 0; // m/s
    double doorState = 0;
    int doorAnimation = -1;            // the left rear door leaf's animation, or -1
    std::optional<double> engineStart; // s, start of the step that released the thrusters
    int doorsOpened = 0, doorsClosed = 0;
    double startX = 0, startZ = 0;
    int sounds = 0;                    // sound calls the library accepted
    std::map<long, int> soundsBySlot;
    std::map<std::string, int> keysPassed; // keys the vessel left to the simulator
};

// Told of the sounds as the library takes them (the simulator's observer), and of each
// vessel after its step.
class RunSummary final : public host::RunObserver {
public:
    explicit RunSummary(const std::vector<std::unique_ptr<host::Vessel>> &vessels);

    void KeyPassed(const host::Vessel &vessel, unsigned scanCode);
    void SoundPlayed(int vessel, int slot) override;
    // A change worth telling, with its time.
    struct Note {
        double t;
        std::string text;
    };
    // After the vessel's part of the step from `stepStart` to `stepEnd`; adds a note for
    // every change worth telling: the engine started (with the step's start, when the
    // key came), the doors open or closed (with its end, when they got there).
    void AfterStep(const host::Vessel &vessel, double stepStart, double stepEnd,
                   std::vector<Note> &notes)
    {
        if (vessel.id >= 0 && std::size_t(vessel.id) < stats_.size())
            Update(stats_[vessel.id], vessel, stepStart, stepEnd, notes);
    }

    void Print(std::FILE *out, const std::vector<std::unique_ptr<host::Vessel>> &vessels) const;
    // The lines Print gives for one vessel.
    std::string Text(const host::Vessel &vessel) const;
    const VesselStats *StatsOf(const host::Vessel &vessel) const; // null for no such vessel
    // The same per vessel as JSON, with the run's own figures: its steps of `step` s and
    // the wall time it took, s.
    std::string Json(const std::vector<std::unique_ptr<host::Vessel>> &vessels, std::int64_t steps,
                     double step, double wallTime) const;

private:
    static void Update(VesselStats &s, const host::Vessel &vessel, double stepStart, double stepEnd,
                       std::vector<Note> &notes);

    std::vector<VesselStats> stats_; // by vessel id
};

} // namespace vesselhost
