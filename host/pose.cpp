#include "pose.h"

#include <algorithm>
#include <cmath>
#include <limits>
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

// The last turn about the origin worked out; the next component with the same axis and
// angle takes it instead of working out its own.
struct TurnMemo {
    VECTOR3 axis{};
    double angle = std::numeric_limits<double>::quiet_NaN();
    RigidTransform turn;
};

// Sets `out` to the turn that `turn` makes about the origin, made about the parallel
// line through `point` instead: the same rotation, and the line stays where it is.
// Written in place: this runs for every moving component at every step.
void PlaceTurn(const RigidTransform &turn, const VECTOR3 &point, RigidTransform &out)
{
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            out.rotation[i][j] = turn.rotation[i][j];
        out.translation.data[i] =
            point.data[i] - (turn.rotation[i][0] * point.data[0] +
                             turn.rotation[i][1] * point.data[1] + turn.rotation[i][2] * point.data[2]);
    }
}

// Sets `out` to the component's own turn at a progress, about its modelled axis.
void SetOwnMotion(const AnimationComponent &component, double progress, TurnMemo &memo,
                  RigidTransform &out)
{
    const MGROUP_ROTATION *rotation = RotationOf(component);
    if (!rotation) {
        out = RigidTransform{};
        return;
    }
    const double angle = progress * double(rotation->angle);
    const VECTOR3 &axis = rotation->axis;
    if (!(angle == memo.angle && axis.x == memo.axis.x && axis.y == memo.axis.y &&
          axis.z == memo.axis.z)) {
        memo.axis = axis;
        memo.angle = angle;
        memo.turn = RigidTransform::Rotation(VECTOR3{}, axis, angle);
    }
    PlaceTurn(memo.turn, rotation->referencePoint, out);
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
    PlaceTurn(out, point, out);
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
    PoseCache cache;
    cache.Update(vessel);
    std::vector<RigidTransform> motions;
    motions.reserve(cache.Size());
    for (std::size_t c = 0; c < cache.Size(); ++c)
        motions.push_back(cache.Motion(c));
    return motions;
}

void PoseCache::Reset(const Vessel &vessel)
{
    states_.assign(vessel.animations.size(), std::numeric_limits<double>::quiet_NaN());
    animationMoved_.assign(vessel.animations.size(), 1);
    links_.clear();
    for (const AnimationComponent &component : vessel.components)
        links_.push_back({component.animation, component.parent});
    moved_.assign(vessel.components.size(), 1);
    motions_.assign(vessel.components.size(), RigidTransform{});
}

void PoseCache::Update(const Vessel &vessel)
{
    if (states_.size() != vessel.animations.size() || links_.size() != vessel.components.size())
        Reset(vessel);
    for (std::size_t a = 0; a < states_.size(); ++a) {
        const double state = vessel.animations[a].state;
        animationMoved_[a] = !(state == states_[a]);
        states_[a] = state;
    }
    TurnMemo memo;
    for (std::size_t c = 0; c < links_.size(); ++c) {
        const Link link = links_[c];
        // A parent is always added before its child, so it is up to date here; the
        // child's pivot and axis ride along with the parent.
        const bool parentMoved = link.parent >= 0 && moved_[std::size_t(link.parent)];
        moved_[c] = animationMoved_[link.animation] || parentMoved;
        if (!moved_[c])
            continue;
        const AnimationComponent &component = vessel.components[c];
        SetOwnMotion(component, ComponentProgress(component, states_[link.animation]), memo,
                     motions_[c]);
        if (link.parent >= 0)
            motions_[c] = motions_[std::size_t(link.parent)].After(motions_[c]);
    }
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
