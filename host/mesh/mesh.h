// A mesh as the host keeps it: loaded once per process by name, from the simulator's
// text mesh format when the root has the file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sdk/OrbiterAPI.h"

namespace host {

struct MeshVertex {
    VECTOR3 position{};                      // mesh frame, metres
    std::optional<VECTOR3> normal;           // absent on NONORMAL groups and 3- or 5-number lines
    std::optional<std::array<double, 2>> uv; // texture coordinates, when the line has them
};

struct MeshGroup {
    std::string label;       // from LABEL, empty without one
    unsigned material = 0;   // 1-based into Mesh::materials; 0 is the default material
    unsigned texture = 0;    // 1-based into Mesh::textures; 0 is none
    bool noNormal = false;   // NONORMAL: the vertex lines carry no normals
    std::uint32_t flags = 0; // FLAG, as read (hexadecimal in the file)
    std::string texWrap;     // TEXWRAP argument as read (U, V or UV), empty without one
    std::vector<MeshVertex> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles; // zero-based vertex indices
};

// An RGBA colour, each channel 0..1.
using MeshColour = std::array<double, 4>;

struct MeshMaterial {
    std::string name;
    MeshColour diffuse{1, 1, 1, 1}, ambient{1, 1, 1, 1}, specular{0, 0, 0, 1}, emissive{0, 0, 0, 1};
    double specularPower = 0; // the optional fifth number of the specular line
};

struct Mesh {
    std::string name; // as the module asked for it, without folder or extension
    std::string file; // the file it was read from; empty when the root had none
    std::vector<MeshGroup> groups;
    std::vector<MeshMaterial> materials;
    std::vector<std::string> textures;
};

} // namespace host
