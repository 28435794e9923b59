// What a picture shows, in the ground frame: the posed triangles of every vessel and
// the marks that name them. Kept apart from the drawing so it can be checked by numbers.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "host/vessel/vessel_state.h"

namespace vesselhost {

struct Colour {
    double r, g, b, a;
};

// A triangle in the ground frame: x and z on the ground plane, y up from it (metres).
struct Face {
    std::array<VECTOR3, 3> p;
    Colour colour;
    // Whether the edge from p[i] to p[i + 1] is an outline or a crease, worth drawing;
    // an edge between two triangles of one flat surface is not.
    std::array<bool, 3> outline{true, true, true};

    VECTOR3 UnitNormal() const; // zero for a triangle without area
};

struct Bounds {
    VECTOR3 lo = _V(1e300, 1e300, 1e300), hi = _V(-1e300, -1e300, -1e300);
    void Add(const VECTOR3 &p);
    bool Empty() const { return lo.x > hi.x; }
};

// What labels a vessel: its name over its bounds, its heading as an arrow.
struct VesselMark {
    std::string name;
    Bounds bounds;
    VECTOR3 position{}, forward{}; // ground frame; forward is a unit vector on the ground
    double arrowLength = 1;        // metres
    // Too small in the picture for its shape: drawn as a dot, its bounds a box of its
    // size around its position.
    bool footprint = false;
};

struct Scene {
    std::vector<Face> faces;
    std::vector<VesselMark> marks;
};

// Every vessel's meshes that have geometry, else its placeholder, posed at the current
// animation states and placed at its ground position and heading, its touchdown plane on
// the ground; a vessel whose size would span fewer than kDetailPixels at
// `pixelsPerMetre` is a footprint only. `progress` hears the share of vessels done.
// Throws host::Error for a vessel that stands at no finite place.
inline constexpr double kDetailPixels = 16;
Scene BuildScene(const std::vector<const host::Vessel *> &vessels, double pixelsPerMetre = 1e300,
                 const std::function<void(double)> &progress = {});

} // namespace vesselhost
