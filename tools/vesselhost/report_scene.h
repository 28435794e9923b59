// What a report page needs to draw the vehicles of one class as the host poses them:
// the geometry of every mesh group (the meshes the host loaded, or the placeholder the
// picture draws when it has none) and the class's animation components as stored, which
// the page turns into group motions with the same arithmetic as host/vessel/pose.cpp.
#pragma once

#include <nlohmann/json.hpp>

#include "host/vessel/vessel_state.h"
#include "tools/vesselhost/report_encoding.h"

namespace vesselhost {

// {"groundY", "parts": [{"slot", "group", "colour", "positions", "indices"}],
//  "components": [{"animation", "state0", "state1", "parent"[, "slot", "groups",
//  "reference", "axis", "angle"]}]}; the arrays go to `block`. Positions are in the
// vessel frame (metres) with the mesh slot's offset added.
nlohmann::json ClassScene(const host::Vessel &vessel, ByteBlock &block);

} // namespace vesselhost
