#include "host/vessel/placeholder_mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "sdk/VesselAPI.h"

namespace host {

namespace {

// Proportions as fractions of the declared size, so that a vessel of any size gets a
// legible figure.
constexpr double kHullClearance = 0.06; // hull bottom above the touchdown plane, room for wheels
constexpr double kHullHeight = 0.3;     // a ground vehicle is far lower than it is long
constexpr double kArmLength = 0.08;     // long enough for its turn to show in a picture
constexpr double kArmThickness = 0.02;
constexpr double kWheelWidth = 0.04;
constexpr double kWheelMinRadius = 0.03; // for an axle at or below the ground
constexpr int kWheelSegments = 16;       // round at picture scale
constexpr double kMinOffAxis = 0.5;      // an arm direction must stand this far off the axis
// Group indices come from the module; beyond this one a placeholder is not worth its memory.
constexpr UINT kMaxGroup = 1u << 16;

enum Material : unsigned { kHullMaterial = 1, kWheelMaterial = 2, kPartMaterial = 3 };

VECTOR3 Add(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
VECTOR3 Scale(const VECTOR3 &a, double s) { return _V(a.x * s, a.y * s, a.z * s); }
double Dot(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Norm(const VECTOR3 &a) { return std::sqrt(Dot(a, a)); }
VECTOR3 Cross(const VECTOR3 &a, const VECTOR3 &b)
{
    return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
VECTOR3 Unit(const VECTOR3 &a)
{
    double n = Norm(a);
    return n > 0 ? Scale(a, 1 / n) : a;
}
// The part of `v` square to the unit vector `axis`.
VECTOR3 OffAxis(const VECTOR3 &v, const VECTOR3 &axis)
{
    return Add(v, Scale(axis, -Dot(v, axis)));
}

void AddQuad(MeshGroup &group, const VECTOR3 (&corners)[4], const VECTOR3 &normal)
{
    auto first = std::uint32_t(group.vertices.size());
    for (const VECTOR3 &c : corners)
        group.vertices.push_back({c, normal, std::nullopt});
    group.triangles.push_back({first, first + 1, first + 2});
    group.triangles.push_back({first, first + 2, first + 3});
}

// A box about `centre` with half extents h along the unit axes u, v, w.
void AddBox(MeshGroup &group, const VECTOR3 &centre, const VECTOR3 (&axes)[3], const double (&h)[3])
{
    for (int a = 0; a < 3; ++a) {
        const VECTOR3 &n = axes[a], &s = axes[(a + 1) % 3], &t = axes[(a + 2) % 3];
        double hs = h[(a + 1) % 3], ht = h[(a + 2) % 3];
        for (double side : {1.0, -1.0}) {
            VECTOR3 face = Add(centre, Scale(n, side * h[a]));
            auto corner = [&](double i, double j) {
                return Add(face, Add(Scale(s, i * hs), Scale(t, j * ht)));
            };
            const VECTOR3 corners[4] = {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)};
            AddQuad(group, corners, Scale(n, side));
        }
    }
}

void AddHull(MeshGroup &group, const Vessel &vessel, double groundY)
{
    double halfWidth = 0, halfLength = vessel.size / 2;
    for (const VECTOR3 &p : vessel.touchdown) {
        halfWidth = std::max(halfWidth, std::abs(p.x));
        halfLength = std::max(halfLength, std::abs(p.z));
    }
    double bottom = groundY + kHullClearance * vessel.size;
    double halfHeight = kHullHeight * vessel.size / 2;
    const VECTOR3 axes[3] = {_V(1, 0, 0), _V(0, 1, 0), _V(0, 0, 1)};
    AddBox(group, _V(0, bottom + halfHeight, 0), axes, {halfWidth, halfHeight, halfLength});
    group.label = "hull";
    group.material = kHullMaterial;
}

// Which way a part reaches from its axis: the first of forward and toward the centre line
// that stands well off the axis, else up (forward and up cannot both lie near one axis).
VECTOR3 ReachDirection(const VECTOR3 &axis, const VECTOR3 &ref)
{
    VECTOR3 preferred[2] = {_V(0, 0, 1), _V(ref.x < 0 ? 1 : -1, 0, 0)};
    int count = ref.x != 0 ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        VECTOR3 off = OffAxis(preferred[i], axis);
        if (Norm(off) >= kMinOffAxis)
            return Unit(off);
    }
    return Unit(OffAxis(_V(0, 1, 0), axis));
}

// A disc about the axle through `ref`, with a spoke standing out of its faces.
void AddWheel(MeshGroup &group, const MGROUP_ROTATION &rotation, const VECTOR3 &axis, double radius,
              double width)
{
    const VECTOR3 &ref = rotation.referencePoint;
    VECTOR3 u = ReachDirection(axis, ref), w = Cross(axis, u);
    auto rim = [&](int i, double side) {
        double a = 2 * std::numbers::pi * i / kWheelSegments;
        return Add(Add(ref, Scale(axis, side * width / 2)),
                   Add(Scale(u, radius * std::cos(a)), Scale(w, radius * std::sin(a))));
    };
    for (double side : {1.0, -1.0}) {
        VECTOR3 normal = Scale(axis, side);
        auto centre = std::uint32_t(group.vertices.size());
        group.vertices.push_back({Add(ref, Scale(axis, side * width / 2)), normal, std::nullopt});
        for (int i = 0; i < kWheelSegments; ++i)
            group.vertices.push_back({rim(i, side), normal, std::nullopt});
        for (std::uint32_t i = 0; i < std::uint32_t(kWheelSegments); ++i)
            group.triangles.push_back(
                {centre, centre + 1 + i, centre + 1 + (i + 1) % std::uint32_t(kWheelSegments)});
    }
    for (int i = 0; i < kWheelSegments; ++i) {
        double a = 2 * std::numbers::pi * (i + 0.5) / kWheelSegments;
        VECTOR3 normal = Add(Scale(u, std::cos(a)), Scale(w, std::sin(a)));
        const VECTOR3 corners[4] = {rim(i, 1), rim(i + 1, 1), rim(i + 1, -1), rim(i, -1)};
        AddQuad(group, corners, normal);
    }
    const VECTOR3 axes[3] = {u, axis, w};
    // Stops short of the rim, so the wheel's lowest point is the rim on the ground.
    AddBox(group, Add(ref, Scale(u, radius * 0.45)), axes,
           {radius * 0.45, width * 0.6, radius * 0.08});
}

void AddArm(MeshGroup &group, const MGROUP_ROTATION &rotation, const VECTOR3 &axis, double size)
{
    const VECTOR3 &ref = rotation.referencePoint;
    VECTOR3 reach = ReachDirection(axis, ref);
    double length = kArmLength * size, half = kArmThickness * size / 2;
    const VECTOR3 axes[3] = {reach, axis, Cross(axis, reach)};
    AddBox(group, Add(ref, Scale(reach, length / 2)), axes, {length / 2, half, half});
}

// A full turn about a level axis: a wheel rolling.
bool IsWheel(const MGROUP_ROTATION &rotation, const VECTOR3 &axis)
{
    return std::abs(rotation.angle) >= 2 * std::numbers::pi * 0.999 && std::abs(axis.y) < 0.5;
}

void AddPart(MeshGroup &group, const AnimationComponent &component, const MGROUP_ROTATION &rotation,
             const Vessel &vessel, double groundY)
{
    VECTOR3 axis = Unit(rotation.axis);
    std::string animation = "animation " + std::to_string(component.animation);
    if (IsWheel(rotation, axis)) {
        double radius =
            std::max(rotation.referencePoint.y - groundY, kWheelMinRadius * vessel.size);
        AddWheel(group, rotation, axis, radius, kWheelWidth * vessel.size);
        group.label = animation + " wheel";
        group.material = kWheelMaterial;
    } else {
        AddArm(group, rotation, axis, vessel.size);
        group.label = animation + " part";
        group.material = kPartMaterial;
    }
}

const MGROUP_ROTATION *RotationOf(const AnimationComponent &component)
{
    const MGROUP_TRANSFORM *t = component.transform;
    if (!t || t->Type() != MGROUP_TRANSFORM::ROTATE)
        return nullptr;
    const auto *rotation = static_cast<const MGROUP_ROTATION *>(t);
    return rotation->meshIndex == 0 ? rotation : nullptr;
}

MeshMaterial Material(const char *name, MeshColour diffuse)
{
    MeshMaterial material;
    material.name = name;
    material.diffuse = diffuse;
    material.ambient = diffuse;
    return material;
}

} // namespace

Mesh BuildPlaceholderMesh(const Vessel &vessel)
{
    Mesh mesh;
    mesh.name = vessel.className + " placeholder";
    mesh.materials = {Material("PlaceholderHull", {0.55, 0.6, 0.65, 0.35}),
                      Material("PlaceholderWheel", {0.3, 0.3, 0.32, 1}),
                      Material("PlaceholderPart", {0.9, 0.45, 0.1, 1})};

    // The first component naming a group places its solid.
    std::vector<const AnimationComponent *> placedBy;
    for (const AnimationComponent &component : vessel.components) {
        const MGROUP_ROTATION *rotation = RotationOf(component);
        for (UINT i = 0; rotation && rotation->groupIndices && i < rotation->groupCount; ++i) {
            UINT group = rotation->groupIndices[i];
            if (group >= kMaxGroup)
                continue;
            if (group >= placedBy.size())
                placedBy.resize(group + 1, nullptr);
            if (!placedBy[group])
                placedBy[group] = &component;
        }
    }
    std::size_t hull = std::find(placedBy.begin(), placedBy.end(), nullptr) - placedBy.begin();
    mesh.groups.resize(std::max(placedBy.size(), hull + 1));

    double groundY =
        std::min({vessel.touchdown[0].y, vessel.touchdown[1].y, vessel.touchdown[2].y});
    AddHull(mesh.groups[hull], vessel, groundY);
    for (std::size_t g = 0; g < placedBy.size(); ++g)
        if (placedBy[g])
            AddPart(mesh.groups[g], *placedBy[g], *RotationOf(*placedBy[g]), vessel, groundY);
    return mesh;
}

} // namespace host
