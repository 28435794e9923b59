// A vehicle's description: materials, then one part per line, each part a solid in a
// numbered mesh group.
//
//   material NAME R G B [A]              a diffuse colour, 0..1
//   include FILE                         lines of another description (path relative)
//   set NAME VALUE                       from here on, the word $NAME stands for VALUE
//   GROUP LABEL MATERIAL SHAPE NUMBERS [mirror] [repeat N DX DY DZ]
//
// GROUP is the group's index, or * for the lowest index that no numbered line takes.
// Shapes: box X0 X1 Y0 Y1 Z0 Z1; prism X0 X1 Z Y Z Y Z Y ... (a convex side profile
// extruded across x); cyl X0 Y0 Z0 X1 Y1 Z1 R0 [R1 [SIDES]]. `mirror` adds the part's
// reflection on the other side (x negated); `repeat` adds N - 1 copies, each moved on
// by (DX, DY, DZ). A * part and each of its copies take a group of their own; the
// copies of a numbered part join its group. `;` starts a comment.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/meshgen/shapes.h"

namespace meshgen {

struct Material {
    std::string name;
    std::array<double, 4> diffuse{};
};

struct Group {
    std::string label;
    std::size_t material = 0; // into Description::materials
    Solid solid;
};

struct Description {
    std::vector<Material> materials;
    std::vector<Group> groups; // by group index, none empty
    std::vector<std::string> files; // every file read: the description and its includes
};

// Reads a description file; a fault throws std::runtime_error naming the file, the line
// and what was expected (an empty group names the indices no line fills).
Description ReadDescription(const std::string &path);

} // namespace meshgen
