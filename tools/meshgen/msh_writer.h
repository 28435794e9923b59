// Writes a description as the simulator's text mesh (MSHX1): one group per described
// group with its label and material, vertices with normals and texture coordinates,
// then the materials.
#pragma once

#include <ostream>

#include "tools/meshgen/description.h"

namespace meshgen {

void WriteMesh(std::ostream &out, const Description &description);

} // namespace meshgen
