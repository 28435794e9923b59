#include "tools/vesselhost/channel_names.h"

#include <algorithm>
#include <set>

namespace vesselhost {

namespace {

// The animations that every shipped rig has, in their creation order after the
// class's own mechanisms.
#define COMMON_ANIMATIONS                                                                          \
    "door_latch_left", "door_latch_right", "lever_left_1", "lever_right_1", "lever_left_2",        \
        "lever_right_2", "door_left", "door_right", "wheels_right_forward", "wheels_left_forward", \
        "wheels_right_reverse", "wheels_left_reverse"

struct ClassAnimations {
    const char *className;
    std::vector<const char *> names; // by animation index
};

const ClassAnimations kClassAnimations[] = {
    {"VARLOK1", {COMMON_ANIMATIONS}},
    {"VARLOK3C", {"turret", "cannon", COMMON_ANIMATIONS}},
    {"KELDOCONTROL", {"roof_rotator", COMMON_ANIMATIONS}},
};

#undef COMMON_ANIMATIONS

struct GroupName {
    THGROUP_TYPE type;
    const char *name;
};

const GroupName kGroupNames[] = {
    {THGROUP_MAIN, "main"},
    {THGROUP_RETRO, "retro"},
    {THGROUP_ATT_YAWLEFT, "yaw_left"},
    {THGROUP_ATT_YAWRIGHT, "yaw_right"},
};

const char *NameOf(THGROUP_TYPE type)
{
    for (const GroupName &row : kGroupNames)
        if (row.type == type)
            return row.name;
    return nullptr;
}

} // namespace

std::vector<std::string> ThrusterNames(const host::Vessel &vessel)
{
    std::vector<std::string> names(vessel.thrusters.size());
    for (const host::ThrusterGroup &group : vessel.groups) {
        const char *name = NameOf(group.type);
        for (std::size_t k = 0; name && k < group.thrusters.size(); ++k) {
            int thruster = group.thrusters[k];
            if (thruster < 0 || std::size_t(thruster) >= names.size() || !names[thruster].empty())
                continue; // a thruster in two groups keeps the first group's name
            names[thruster] = name;
            if (group.thrusters.size() > 1)
                names[thruster] += "_" + std::to_string(k + 1);
        }
    }
    std::set<std::string> taken;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].empty() || !taken.insert(names[i]).second)
            names[i] = "th" + std::to_string(i);
    return names;
}

std::vector<std::string> AnimationNames(const host::Vessel &vessel)
{
    const ClassAnimations *table = nullptr;
    for (const ClassAnimations &row : kClassAnimations)
        if (vessel.className == row.className)
            table = &row;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < vessel.animations.size(); ++i)
        names.push_back(table && i < table->names.size() ? table->names[i]
                                                         : "anim" + std::to_string(i));
    return names;
}

int AnimationIndex(const host::Vessel &vessel, const std::string &name)
{
    std::vector<std::string> names = AnimationNames(vessel);
    auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
}

} // namespace vesselhost
