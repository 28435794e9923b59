#include "tools/meshgen/shapes.h"

#include <cmath>
#include <stdexcept>

namespace meshgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y, s * a.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec a) { return std::sqrt(Dot(a, a)); }
Vec Unit(Vec a) { return (1.0 / Length(a)) * a; }

// Adds a triangle so that its winding agrees with `outward`.
void AddTriangle(Solid &s, std::uint32_t a, std::uint32_t b, std::uint32_t c, Vec outward)
{
    const Vec &pa = s.vertices[a].p, &pb = s.vertices[b].p, &pc = s.vertices[c].p;
    if (Dot(Cross(pb - pa, pc - pa), outward) < 0)
        std::swap(b, c);
    s.triangles.push_back({a, b, c});
}

// A flat convex face, its normal turned away from `inside` (a point within the solid),
// its texture coordinates the face's extent along its two widest axes.
void AddFlatFace(Solid &s, const std::vector<Vec> &corners, Vec inside)
{
    Vec normal{};
    for (std::size_t i = 0; i < corners.size(); ++i)
        normal = normal + Cross(corners[i], corners[(i + 1) % corners.size()]);
    normal = Unit(normal);
    if (Dot(normal, corners[0] - inside) < 0)
        normal = -1.0 * normal;
    // Texture axes: the two coordinate axes along which the face is widest.
    int drop = 0;
    for (int k = 1; k < 3; ++k)
        if (std::abs((&normal.x)[k]) > std::abs((&normal.x)[drop]))
            drop = k;
    int ua = drop == 0 ? 2 : 0, va = drop == 1 ? 2 : 1;
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    for (const Vec &c : corners)
        for (int k = 0; k < 2; ++k) {
            double value = (&c.x)[k == 0 ? ua : va];
            lo[k] = std::min(lo[k], value);
            hi[k] = std::max(hi[k], value);
        }
    auto first = std::uint32_t(s.vertices.size());
    for (const Vec &c : corners) {
        double u = ((&c.x)[ua] - lo[0]) / std::max(hi[0] - lo[0], 1e-9);
        double v = ((&c.x)[va] - lo[1]) / std::max(hi[1] - lo[1], 1e-9);
        s.vertices.push_back({c, normal, u, v});
    }
    for (std::uint32_t i = 1; i + 1 < corners.size(); ++i)
        AddTriangle(s, first, first + i, first + i + 1, normal);
}

Vec Centre(const std::vector<Vec> &points)
{
    Vec sum{};
    for (const Vec &p : points)
        sum = sum + p;
    return (1.0 / double(points.size())) * sum;
}

} // namespace

void Solid::Append(const Solid &other)
{
    auto base = std::uint32_t(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (auto t : other.triangles)
        triangles.push_back({t[0] + base, t[1] + base, t[2] + base});
}

Solid Box(Vec lo, Vec hi)
{
    if (!(lo.x < hi.x && lo.y < hi.y && lo.z < hi.z))
        throw std::invalid_argument("a box with each lower bound below its upper bound");
    return Prism(lo.x, hi.x, {{lo.z, lo.y}, {hi.z, lo.y}, {hi.z, hi.y}, {lo.z, hi.y}});
}

Solid Prism(double x0, double x1, const std::vector<std::array<double, 2>> &profile)
{
    if (!(x0 < x1))
        throw std::invalid_argument("the left x below the right x");
    std::size_t n = profile.size();
    if (n < 3)
        throw std::invalid_argument("3 or more (z, y) points in the profile");
    // Convex, without doubled points: every turn the same way and none straight back.
    double sense = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto &a = profile[i], &b = profile[(i + 1) % n], &c = profile[(i + 2) % n];
        double turn = (b[0] - a[0]) * (c[1] - b[1]) - (b[1] - a[1]) * (c[0] - b[0]);
        if (turn == 0 || (sense != 0 && (turn > 0) != (sense > 0)))
            throw std::invalid_argument("a convex profile (every corner turning the same way)");
        sense = turn;
    }
    std::vector<Vec> left, right, all;
    for (const auto &point : profile) {
        left.push_back({x0, point[1], point[0]});
        right.push_back({x1, point[1], point[0]});
    }
    all = left;
    all.insert(all.end(), right.begin(), right.end());
    Vec inside = Centre(all);
    Solid s;
    AddFlatFace(s, left, inside);
    AddFlatFace(s, right, inside);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t j = (i + 1) % n;
        AddFlatFace(s, {left[i], left[j], right[j], right[i]}, inside);
    }
    return s;
}

Solid Cylinder(Vec a, Vec b, double r0, double r1, int sides)
{
    double length = Length(b - a);
    if (length <= 0)
        throw std::invalid_argument("two different end points");
    if (r0 < 0 || r1 < 0 || (r0 == 0 && r1 == 0))
        throw std::invalid_argument("radii of 0 or more, not both 0");
    if (sides < 3 || sides > 256)
        throw std::invalid_argument("3 to 256 sides");
    Vec d = (1.0 / length) * (b - a);
    // The rim's first vertex straight above the axis (or ahead of an upright one); with
    // an even count of sides another lies straight below.
    Vec helper = std::abs(d.y) > 0.9 ? Vec{0, 0, 1} : Vec{0, 1, 0};
    Vec up = Unit(helper - Dot(helper, d) * d);
    Vec across = Cross(d, up);

    Solid s;
    std::vector<Vec> rim0, rim1;
    for (int i = 0; i <= sides; ++i) {
        double angle = 2 * kPi * i / sides;
        Vec radial = std::cos(angle) * up + std::sin(angle) * across;
        // The side's normal leans toward the narrower end on a frustum.
        Vec normal = Unit(radial + ((r0 - r1) / length) * d);
        double u = double(i) / sides;
        s.vertices.push_back({a + r0 * radial, normal, u, 0});
        s.vertices.push_back({b + r1 * radial, normal, u, 1});
        if (i < sides) {
            rim0.push_back(a + r0 * radial);
            rim1.push_back(b + r1 * radial);
        }
    }
    for (int i = 0; i < sides; ++i) {
        auto k = std::uint32_t(2 * i);
        double mid = 2 * kPi * (i + 0.5) / sides;
        Vec outward = std::cos(mid) * up + std::sin(mid) * across;
        if (r0 > 0)
            AddTriangle(s, k, k + 1, k + 2, outward);
        if (r1 > 0)
            AddTriangle(s, k + 1, k + 3, k + 2, outward);
    }
    Vec inside = 0.5 * (a + b);
    if (r0 > 0)
        AddFlatFace(s, rim0, inside);
    if (r1 > 0)
        AddFlatFace(s, rim1, inside);
    return s;
}

Solid MirroredX(const Solid &solid)
{
    Solid out = solid;
    for (Vertex &v : out.vertices) {
        v.p.x = -v.p.x;
        v.n.x = -v.n.x;
    }
    // A reflection turns the winding over; swapping two corners turns it back.
    for (auto &t : out.triangles)
        std::swap(t[1], t[2]);
    return out;
}

Solid Moved(const Solid &solid, Vec offset)
{
    Solid out = solid;
    for (Vertex &v : out.vertices)
        v.p = v.p + offset;
    return out;
}

} // namespace meshgen
