// What a vessel's thrusters and animations are called in the telemetry and the report.
// Thrusters take the name of their group, which the host sees as the module declared it.
// Animations are known to the host by index only: their names for the shipped classes
// are facts about those classes' rigs, kept here in one table; any other class's
// animations keep numbered names.
#pragma once

#include <string>
#include <vector>

#include "host/vessel/vessel_state.h"

namespace vesselhost {

// `main`, `retro`, `yaw_left_1`, `yaw_left_2`, ... by thruster index; `thN` for a
// thruster in no group, or whose group name would not tell it apart.
std::vector<std::string> ThrusterNames(const host::Vessel &vessel);

// `door_left`, `wheels_right_forward`, ... by animation index; `animN` past the end of
// the class's table or for a class without one.
std::vector<std::string> AnimationNames(const host::Vessel &vessel);

// The index of the named animation of the vessel's class, or -1.
int AnimationIndex(const host::Vessel &vessel, const std::string &name);

} // namespace vesselhost
