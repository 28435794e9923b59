#include "host/vessel/pose_cache.h"

#include "host/vessel/pose.h"
#include "sdk/VesselAPI.h"

namespace host {

const MGROUP_ROTATION *RotationRecordOf(const AnimationComponent &component)
{
    const MGROUP_TRANSFORM *record = component.transform;
    if (!record || record->Type() != MGROUP_TRANSFORM::ROTATE)
        return nullptr;
    return static_cast<const MGROUP_ROTATION *>(record);
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
        firstMember_.push_back(std::uint32_t(members_.size()));
        for (std::size_t c = 0; c < components; ++c)
            if (movesWith[c][a])
                members_.push_back(std::uint32_t(c));
    }
    firstMember_.push_back(std::uint32_t(members_.size()));
    rotations_.clear();
    for (const AnimationComponent &component : vessel.components)
        rotations_.push_back(RotationRecordOf(component));
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
            last.turn = RigidTransform::Rotation(VECTOR3{}, rotation->axis,
                                                 ComponentProgress(component, state) *
                                                     double(rotation->angle));
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

} // namespace host
