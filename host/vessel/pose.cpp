#include "host/vessel/pose.h"

#include <algorithm>
#include <numeric>

#include "host/vessel/pose_cache.h"
#include "sdk/VesselAPI.h"

namespace host {

double ComponentProgress(const AnimationComponent &component, double state)
{
    if (component.state1 == component.state0)
        return state >= component.state1 ? 1.0 : 0.0;
    double progress = (state - component.state0) / (component.state1 - component.state0);
    return std::clamp(progress, 0.0, 1.0);
}

std::vector<RigidTransform> PoseComponents(const Vessel &vessel)
{
    PoseCache cache;
    cache.Update(vessel);
    std::vector<RigidTransform> motions;
    motions.reserve(cache.Size());
    for (std::size_t c = 0; c < cache.Size(); ++c)
        motions.push_back(cache.Motion(c));
    return motions;
}

std::map<UINT, RigidTransform> PoseGroups(const Vessel &vessel, UINT mesh)
{
    const std::vector<RigidTransform> motions = PoseComponents(vessel);
    // A group named by several components (a door latch turns on its door leaf) takes
    // their motions in animation creation order, then component order: the latch turns
    // on the closed leaf first, and the leaf then carries it.
    std::vector<std::size_t> order(vessel.components.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return vessel.components[a].animation < vessel.components[b].animation;
    });

    std::map<UINT, RigidTransform> poses;
    for (std::size_t c : order) {
        const MGROUP_ROTATION *rotation = RotationRecordOf(vessel.components[c]);
        if (!rotation || rotation->meshIndex != mesh)
            continue;
        for (UINT i = 0; i < rotation->groupCount; ++i) {
            RigidTransform &pose = poses[rotation->groupIndices[i]];
            pose = motions[c].After(pose);
        }
    }
    return poses;
}

VECTOR3 PosePoint(const Vessel &vessel, UINT group, const VECTOR3 &p, UINT mesh)
{
    const std::map<UINT, RigidTransform> poses = PoseGroups(vessel, mesh);
    auto found = poses.find(group);
    return found == poses.end() ? p : found->second.Apply(p);
}

} // namespace host
