// A stand-in for a vessel's mesh when the root has no file for it, built from what the
// vessel declared, so that its poses can be shown without the original art.
#pragma once

#include "host/mesh/mesh.h"
#include "host/vessel/vessel_state.h"

namespace host {

// The placeholder for the vessel's first mesh (index 0): a translucent hull box from the
// touchdown points and the size, in the first group that no animation component names;
// and for every group that a rotation component of mesh 0 names, a small solid at that
// component's reference point (the first component naming the group places it): a disc
// about the axle with a spoke for a part that turns full circles about a level axis (a
// wheel, its roll visible by the spoke), else an arm reaching away from the rotation
// axis. Group indices are the ones the components name; other groups stay empty.
// Materials: 1 hull, 2 wheel, 3 moving part.
Mesh BuildPlaceholderMesh(const Vessel &vessel);

} // namespace host
