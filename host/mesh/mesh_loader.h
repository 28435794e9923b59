// Reader of the simulator's text mesh format (first line MSHX1): groups of vertices and
// triangles, then optional MATERIALS and TEXTURES sections.
#pragma once

#include <istream>
#include <string>

#include "host/mesh/mesh.h"

namespace host {

// Reads a whole mesh. A broken file throws host::Error naming `fileName`, the line and
// what was expected; counts in the file are never trusted for allocation, so a
// truncated file or an absurd count ends in that error, not in a long read.
Mesh ReadMesh(std::istream &in, const std::string &fileName);

// Opens `path` and reads it; the mesh's `file` is the path. Throws host::Error.
Mesh LoadMeshFile(const std::string &path);

} // namespace host
