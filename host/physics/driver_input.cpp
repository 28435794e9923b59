#include "host/physics/driver_input.h"

#include <algorithm>

namespace host {

namespace {

void SetGroupLevel(Vessel &vessel, THGROUP_TYPE type, double level)
{
    int group = vessel.GroupOfType(type);
    if (group < 0)
        return;
    for (int thruster : vessel.groups[group].thrusters)
        vessel.thrusters[thruster].level = level;
}

} // namespace

void ApplyDriverControls(Vessel &vessel, const DriverControls &controls)
{
    double yaw = std::clamp(controls.yaw, -1.0, 1.0);
    SetGroupLevel(vessel, THGROUP_MAIN, std::clamp(controls.main, 0.0, 1.0));
    SetGroupLevel(vessel, THGROUP_RETRO, std::clamp(controls.retro, 0.0, 1.0));
    SetGroupLevel(vessel, THGROUP_ATT_YAWLEFT, std::max(-yaw, 0.0));
    SetGroupLevel(vessel, THGROUP_ATT_YAWRIGHT, std::max(yaw, 0.0));
    vessel.readings.controlSurface[AIRCTRL_RUDDER] = yaw;
    vessel.levelsTouched = false;
}

} // namespace host
