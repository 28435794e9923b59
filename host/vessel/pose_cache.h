// A vessel's pose kept from step to step: the motion of every animation component, its
// parents' included, brought up to date after the animation states change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "host/mesh/rigid_transform.h"
#include "sdk/VesselAPI.h"

class MGROUP_ROTATION;

namespace host {

struct AnimationComponent;
struct Vessel;

// The component's record if it is a rotation, or null for any other kind (which the
// host does not move).
const MGROUP_ROTATION *RotationRecordOf(const AnimationComponent &component);

// The component motions of one vessel kept from one evaluation to the next, for
// evaluating a pose at every step: only the animations whose state changed are visited,
// and only their components and those components' children are worked out again (their
// transform records are read then). Neighbours that turn by the same angle about the
// same axis, as the wheels of one side do, share one turn. Allocates only when the
// vessel's animations or components change in number.
class PoseCache {
public:
    void Update(const Vessel &vessel);
    std::size_t Size() const { return motions_.size(); }
    const RigidTransform &Motion(std::size_t component) const { return motions_[component]; }

private:
    // The last turn about the origin worked out, with what it was worked out from: the
    // next component with the same inputs takes it, without a division or a sine.
    struct SharedTurn {
        double state = std::numeric_limits<double>::quiet_NaN();
        double state0 = 0, state1 = 0;
        float angle = 0;
        VECTOR3 axis{};
        RigidTransform turn;
    };

    void Reset(const Vessel &vessel);
    void WorkOut(const Vessel &vessel, std::size_t component);

    std::vector<double> states_; // by animation: the state last worked out; NaN: none
    // The components that move with animation a: members_[firstMember_[a]] up to
    // members_[firstMember_[a + 1]], its own and their children's, parents first.
    std::vector<std::uint32_t> firstMember_;
    std::vector<std::uint32_t> members_;
    // By component: its record if it is a rotation (a record's kind never changes).
    std::vector<const MGROUP_ROTATION *> rotations_;
    std::vector<RigidTransform> motions_; // by component
    SharedTurn lastTurn_;
};

} // namespace host
