// Animation poses: where each mesh group of a vessel stands at the vessel's current
// animation states. Used by the tests, the command-line host and a viewer.
#pragma once

#include <map>
#include <vector>

#include "host/mesh/rigid_transform.h"
#include "host/vessel/vessel_state.h"

namespace host {

// How far a component has turned at an animation state: 0 up to state0, in proportion
// between, 1 from state1 on.
double ComponentProgress(const AnimationComponent &component, double state);

// The motion of every component at the current states, its parents' included
// (parent's motion following its own), by component index.
std::vector<RigidTransform> PoseComponents(const Vessel &vessel);

// The motion of every group of mesh `mesh` that a component names.
std::map<UINT, RigidTransform> PoseGroups(const Vessel &vessel, UINT mesh = 0);

// Where the point `p` of group `group`, as modelled, stands now.
VECTOR3 PosePoint(const Vessel &vessel, UINT group, const VECTOR3 &p, UINT mesh = 0);

} // namespace host
