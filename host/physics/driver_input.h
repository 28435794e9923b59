// The driver's controls, handed to a vessel before each step as the simulator does:
// throttle levels on the main and retro thruster groups, yaw on the two yaw groups and
// as the rudder level.
#pragma once

#include "host/vessel/vessel_state.h"

namespace host {

struct DriverControls {
    double main = 0;  // 0..1
    double retro = 0; // 0..1
    double yaw = 0;   // -1..1, negative turns left
};

// Every thruster of the group of each type gets its level, as setting a group level
// gives it: main and retro to their groups; yaw to the yaw-left group when negative and
// to the yaw-right group when positive, the other group at 0; and yaw as the rudder level.
void ApplyDriverControls(Vessel &vessel, const DriverControls &controls);

// The controls a driver holds on one vessel. Handed over before every step, they are
// applied again only when they changed or something set the vessel's thruster levels
// or groups since: otherwise what they set last still stands, and a driving fleet's
// step does not touch its thruster groups at all.
class Driver {
public:
    void Set(const DriverControls &controls)
    {
        controls_ = controls;
        changed_ = true;
    }
    const DriverControls &Controls() const { return controls_; }

    void HandOver(Vessel &vessel)
    {
        if (changed_ || vessel.levelsTouched) {
            ApplyDriverControls(vessel, controls_);
            changed_ = false;
        }
    }

private:
    DriverControls controls_;
    bool changed_ = true;
};

} // namespace host
