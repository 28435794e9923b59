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
    const std::size_t animations = vessel.animations.size();
    const std::size_t components = vessel.components.size();
    // The animations each component moves with: its own and all its parent's.
    std::vector<std::vector<bool>> movesWith(components, std::vector<bool>(animations));
    for (std::size_t c = 0; c < components; ++c) {
        const AnimationComponent &component = vessel.components[c];
        if (component.parent >= 0)
            movesWith[c] = movesWith[std::size_t(component.parent)];
        movesWith[c][component.animation] = true;
    }
    firstMember_.clear();
    members_.clear();
    for (std::size_t a = 0; a < animations; ++a) {
        firstMember_.push_back(members_.size());
        for (std::size_t c = 0; c < components; ++c)
            if (movesWith[c][a])
                members_.push_back(c);
    }
    firstMember_.push_back(members_.size());
    rotations_.clear();
    for (const AnimationComponent &component : vessel.components)
        rotations_.push_back(RotationOf(component));
    states_.assign(animations, std::numeric_limits<double>::quiet_NaN());
    motions_.assign(components, RigidTransform{});
}

void PoseCache::WorkOut(const Vessel &vessel, std::size_t c)
{
    const AnimationComponent &component = vessel.components[c];
    const MGROUP_ROTATION *rotation = rotations_[c];
    if (!rotation) {
        motions_[c] = RigidTransform{};
    } else {
        const double state = vessel.animations[component.animation].state;
        SharedTurn &last = lastTurn_;
        if (!(state == last.state && component.state0 == last.state0 &&
              component.state1 == last.state1 && rotation->angle == last.angle &&
              rotation->axis.x == last.axis.x && rotation->axis.y == last.axis.y &&
              rotation->axis.z == last.axis.z)) {
            last.state = state;
            last.state0 = component.state0;
            last.state1 = component.state1;
            last.angle = rotation->angle;
            last.axis = rotation->axis;
            last.turn = RigidTransform::Rotation(
                VECTOR3{}, rotation->axis,
                ComponentProgress(component, state) * double(rotation->angle));
        }
        PlaceTurn(last.turn, rotation->referencePoint, motions_[c]);
    }
    // The child's pivot and axis ride along with the parent.
    if (component.parent >= 0)
        motions_[c] = motions_[std::size_t(component.parent)].After(motions_[c]);
}

void PoseCache::Update(const Vessel &vessel)
{
    if (states_.size() != vessel.animations.size() || motions_.size() != vessel.components.size())
        Reset(vessel);
    // A component moving with several changed animations is worked out once for each;
    // the last time, every animation it moves with is up to date, its parent's too.
    for (std::size_t a = 0; a < states_.size(); ++a) {
        const double state = vessel.animations[a].state;
        if (state == states_[a])
            continue;
        states_[a] = state;
        for (std::size_t m = firstMember_[a]; m < firstMember_[a + 1]; ++m)
            WorkOut(vessel, members_[m]);
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
