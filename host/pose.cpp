#include "pose.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "mgroup_rotation.h"

namespace host {

namespace {

// The record's rotation, or null for any other kind (which the host does not move).
const MGROUP_ROTATION *RotationOf(const AnimationComponent &component)
{
    const MGROUP_TRANSFORM *record = component.transform;
    if (!record || record->Type() != MGROUP_TRANSFORM::ROTATE)
        return nullptr;
    return static_cast<const MGROUP_ROTATION *>(record);
}

// The component's own turn at its animation's current state, about its modelled axis.
RigidTransform OwnMotion(const Vessel &vessel, const AnimationComponent &component)
{
    const MGROUP_ROTATION *rotation = RotationOf(component);
    if (!rotation)
        return {};
    double progress = ComponentProgress(component, vessel.animations[component.animation].state);
    return RigidTransform::Rotation(rotation->referencePoint, rotation->axis,
                                    progress * double(rotation->angle));
}

} // namespace

VECTOR3 RigidTransform::Apply(const VECTOR3 &p) const
{
    VECTOR3 out;
    for (int i = 0; i < 3; ++i)
        out.data[i] = rotation[i][0] * p.data[0] + rotation[i][1] * p.data[1] +
                      rotation[i][2] * p.data[2] + translation.data[i];
    return out;
}

RigidTransform RigidTransform::After(const RigidTransform &first) const
{
    RigidTransform out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = rotation[i][0] * first.rotation[0][j] +
                                 rotation[i][1] * first.rotation[1][j] +
                                 rotation[i][2] * first.rotation[2][j];
    }
    out.translation = Apply(first.translation);
    return out;
}

RigidTransform RigidTransform::Rotation(const VECTOR3 &point, const VECTOR3 &axis, double angle)
{
    RigidTransform out;
    double length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    if (length == 0.0)
        return out;
    const double u[3] = {axis.x / length, axis.y / length, axis.z / length};
    const double c = std::cos(angle), s = std::sin(angle);
    // Rodrigues: c I + s [u]x + (1 - c) u u^T.
    const double cross[3][3] = {{0, -u[2], u[1]}, {u[2], 0, -u[0]}, {-u[1], u[0], 0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = (i == j ? c : 0.0) + s * cross[i][j] + (1 - c) * u[i] * u[j];
    // The line through `point` stays where it is: t = point - R point.
    VECTOR3 turned = out.Apply(point);
    for (int i = 0; i < 3; ++i)
        out.translation.data[i] = point.data[i] - turned.data[i];
    return out;
}

double ComponentProgress(const AnimationComponent &component, double state)
{
    if (component.state1 == component.state0)
        return state >= component.state1 ? 1.0 : 0.0;
    double progress = (state - component.state0) / (component.state1 - component.state0);
    return std::clamp(progress, 0.0, 1.0);
}

std::vector<RigidTransform> PoseComponents(const Vessel &vessel)
{
    std::vector<RigidTransform> motions;
    motions.reserve(vessel.components.size());
    for (const AnimationComponent &component : vessel.components) {
        RigidTransform own = OwnMotion(vessel, component);
        // A parent is always added before its child, so its motion is known here; the
        // child's pivot and axis ride along with the parent.
        motions.push_back(component.parent >= 0 ? motions[std::size_t(component.parent)].After(own)
                                                : own);
    }
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
        const MGROUP_ROTATION *rotation = RotationOf(vessel.components[c]);
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
