// The solids a vehicle is built from, as triangles with outward normals and texture
// coordinates, wound as the simulator draws front faces (clockwise seen from outside in
// its left-handed frame: (b - a) x (c - a) points out).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace meshgen {

struct Vec {
    double x = 0, y = 0, z = 0;
};

struct Vertex {
    Vec p, n; // position (metres) and unit outward normal
    double u = 0, v = 0;
};

struct Solid {
    std::vector<Vertex> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    void Append(const Solid &other);
};

// An axis-aligned box between two corners.
Solid Box(Vec lo, Vec hi);

// A side profile (z, y pairs, a convex polygon in either order) extruded across x.
Solid Prism(double x0, double x1, const std::vector<std::array<double, 2>> &profile);

// A cylinder, or a cone frustum, from `a` (radius r0) to `b` (radius r1) with `sides`
// sides; a vertex of each rim lies straight below the axis where the axis is level, so
// a wheel's lowest point is its radius. A radius of 0 leaves that end's cap out.
Solid Cylinder(Vec a, Vec b, double r0, double r1, int sides);

// The solid reflected in the plane x = 0 (left for right), still wound outward.
Solid MirroredX(const Solid &solid);

// The solid moved by `offset`.
Solid Moved(const Solid &solid, Vec offset);

} // namespace meshgen
