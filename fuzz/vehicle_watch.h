// Watches vehicles through what the host sees of them (the call trace and the states it
// holds) and notes every broken invariant: no NaN or infinity from a module, the door
// sequence in its modes and within 0..1, turret and cannon within -d..1+d, the roof
// within 0..1, the wheels within one step of 0..1, the levers in their poses, and no
// thrust before the engine starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/trace/call_trace.h"
#include "host/vessel/vessel_state.h"
#include "tests/support/rig_layout.h"

namespace reliability {

using testing_support::RigLayout;

class VehicleWatch {
public:
    // Starts watching a vehicle just created (doors closed, engine not started).
    void Add(const host::Vessel &vessel);
    void Remove(int vesselId);

    // A key event sent to a watched vehicle: D and K change what is expected of it.
    void NoteKey(int vesselId, unsigned key, bool down);

    // Checks the calls made since the last check; `stepLength` is set when they came
    // from one simulation step, which also checks the per-step motions.
    void Check(const std::vector<host::TraceCall> &calls, const std::vector<host::Vessel *> &vessels,
               std::optional<double> stepLength);

    const std::vector<std::string> &Violations() const { return violations_; }

private:
    struct Watched {
        int id = -1;
        std::string className;
        const RigLayout *rig = nullptr;
        bool engineStarted = false;
        int doorMode = 0;         // 0 closed, 1 open, 2 closing, 3 opening
        double doorPosition = 0;  // the last door state the host was given
    };

    Watched *Find(int vesselId);
    void CheckFinite(const host::TraceCall &call);
    void CheckThrustCalls(const Watched &w, const host::TraceCall &call);
    void CheckStep(Watched &w, const std::vector<const host::TraceCall *> &calls, double d);
    void CheckDoors(Watched &w, const std::vector<const host::TraceCall *> &calls);
    void CheckLevers(const Watched &w, const std::vector<const host::TraceCall *> &calls);
    void CheckThrusters(const Watched &w, const host::Vessel &vessel);
    void Fail(const Watched *w, const std::string &what);

    std::vector<Watched> watched_;
    std::vector<std::string> violations_;
};

} // namespace reliability
