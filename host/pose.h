// Animation poses: where each mesh group of a vessel stands at the vessel's current
// animation states. Used by the tests, the command-line host and a viewer.
#pragma once

#include <limits>
#include <map>
#include <vector>

#include "vessel_state.h"

class MGROUP_ROTATION;

namespace host {

// A rigid motion of the vessel frame: p -> rotation * p + translation (metres).
struct RigidTransform {
    double rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    VECTOR3 translation{};

    VECTOR3 Apply(const VECTOR3 &p) const;
    // This motion following `first`: After(first).Apply(p) == Apply(first.Apply(p)).
    RigidTransform After(const RigidTransform &first) const;
    // A turn of `angle` radians about the line through `point` along `axis` (any length;
    // a zero axis turns nothing). Right-hand sense in the vessel's coordinates: a positive
    // angle about +x carries +y toward +z, so a wheel rolls forward.
    static RigidTransform Rotation(const VECTOR3 &point, const VECTOR3 &axis, double angle);
};

// How far a component has turned at an animation state: 0 up to state0, in proportion
// between, 1 from state1 on.
double ComponentProgress(const AnimationComponent &component, double state);

// The motion of every component at the current states, its parents' included
// (parent's motion following its own), by component index.
std::vector<RigidTransform> PoseComponents(const Vessel &vessel);

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
    std::vector<std::size_t> firstMember_;
    std::vector<std::size_t> members_;
    // By component: its record if it is a rotation (a record's kind never changes).
    std::vector<const MGROUP_ROTATION *> rotations_;
    std::vector<RigidTransform> motions_; // by component
    SharedTurn lastTurn_;
};

// The motion of every group of mesh `mesh` that a component names.
std::map<UINT, RigidTransform> PoseGroups(const Vessel &vessel, UINT mesh = 0);

// Where the point `p` of group `group`, as modelled, stands now.
VECTOR3 PosePoint(const Vessel &vessel, UINT group, const VECTOR3 &p, UINT mesh = 0);

} // namespace host
