#include "tools/vesselhost/picture_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "host/base/host_error.h"
#include "host/core/simulator.h"
#include "host/mesh/mesh.h"
#include "host/vessel/placeholder_mesh.h"
#include "host/vessel/pose.h"

namespace vesselhost {

namespace {

constexpr Colour kDefaultMaterial{0.78, 0.78, 0.78, 1};
// Neighbouring triangles whose normals are closer than this (cosine, about 20 degrees)
// belong to one surface: the edge between them is not drawn.
constexpr double kSameSurface = 0.94;
constexpr double kArrowPerSize = 0.4; // heading arrow length per metre of vessel size

bool Finite(const VECTOR3 &p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Where a vessel-frame point stands on the ground: turned by the heading (clockwise seen
// from above, 0 along +z), moved to the vessel's position, the touchdown plane on y = 0.
struct Placement {
    double x, z, sinH, cosH, groundY;

    explicit Placement(const host::Vessel &v)
        : x(v.motion.x), z(v.motion.z), sinH(std::sin(v.motion.heading)),
          cosH(std::cos(v.motion.heading)),
          groundY(std::min({v.touchdown[0].y, v.touchdown[1].y, v.touchdown[2].y}))
    {
    }
    VECTOR3 Apply(const VECTOR3 &p) const
    {
        return _V(x + p.x * cosH + p.z * sinH, p.y - groundY, z - p.x * sinH + p.z * cosH);
    }
};

Colour ColourOf(const host::Mesh &mesh, const host::MeshGroup &group)
{
    if (group.material == 0 || group.material > mesh.materials.size())
        return kDefaultMaterial;
    const host::MeshColour &d = mesh.materials[group.material - 1].diffuse;
    return {d[0], d[1], d[2], d[3]};
}

// Marks the edges of a group's faces that are not shared with a triangle of the same
// surface. Vertices are matched by position, as meshes repeat a vertex at seams.
void MarkOutlines(std::vector<Face>::iterator first, std::vector<Face>::iterator last)
{
    std::map<std::array<double, 3>, std::size_t> ids;
    auto id = [&](const VECTOR3 &p) {
        return ids.emplace(std::array<double, 3>{p.x, p.y, p.z}, ids.size()).first->second;
    };
    auto key = [&](const Face &f, int i) {
        std::size_t a = id(f.p[i]), b = id(f.p[(i + 1) % 3]);
        return std::pair(std::min(a, b), std::max(a, b));
    };
    std::map<std::pair<std::size_t, std::size_t>, std::vector<const Face *>> faces;
    for (auto f = first; f != last; ++f)
        for (int i = 0; i < 3; ++i)
            faces[key(*f, i)].push_back(&*f);
    for (auto f = first; f != last; ++f)
        for (int i = 0; i < 3; ++i) {
            const auto &sharing = faces[key(*f, i)];
            if (sharing.size() != 2)
                continue;
            VECTOR3 n0 = sharing[0]->UnitNormal(), n1 = sharing[1]->UnitNormal();
            f->outline[i] = n0.x * n1.x + n0.y * n1.y + n0.z * n1.z < kSameSurface;
        }
}

void AddMeshToScene(Scene &scene, VesselMark &mark, const host::Mesh &mesh,
                    const host::Vessel &vessel, UINT meshIndex, const VECTOR3 &offset)
{
    Placement placement(vessel);
    // Each group as its animations have turned it at the current states.
    const std::map<UINT, host::RigidTransform> poses = host::PoseGroups(vessel, meshIndex);
    for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
        const host::MeshGroup &group = mesh.groups[g];
        auto posed = poses.find(UINT(g));
        std::vector<VECTOR3> placed;
        for (const host::MeshVertex &v : group.vertices) {
            VECTOR3 p = _V(v.position.x + offset.x, v.position.y + offset.y,
                           v.position.z + offset.z);
            if (posed != poses.end())
                p = posed->second.Apply(p);
            placed.push_back(placement.Apply(p));
            if (!Finite(placed.back()))
                throw host::Error("cannot draw vessel " + vessel.name + ": group " +
                                  std::to_string(g) + " stands at a non-finite place");
            mark.bounds.Add(placed.back());
        }
        std::size_t first = scene.faces.size();
        Colour colour = ColourOf(mesh, group);
        for (const auto &t : group.triangles)
            scene.faces.push_back({{placed[t[0]], placed[t[1]], placed[t[2]]}, colour});
        MarkOutlines(scene.faces.begin() + std::ptrdiff_t(first), scene.faces.end());
    }
}

// `placeholders`: the missing meshes already named in a warning.
void AddVessel(Scene &scene, const host::Vessel &vessel, bool detailed,
               std::set<std::string> &placeholders)
{
    const host::Motion &m = vessel.motion;
    if (!std::isfinite(m.x) || !std::isfinite(m.z) || !std::isfinite(m.heading))
        throw host::Error("cannot draw vessel " + vessel.name + ": its position is not finite");
    VesselMark mark;
    mark.name = vessel.name;
    if (!detailed) {
        double size = std::max(vessel.size, 0.5);
        mark.footprint = true;
        mark.position = _V(m.x, 0, m.z);
        mark.forward = _V(std::sin(m.heading), 0, std::cos(m.heading));
        mark.bounds.Add(_V(m.x - size, 0, m.z - size));
        mark.bounds.Add(_V(m.x + size, size, m.z + size));
        scene.marks.push_back(std::move(mark));
        return;
    }
    const host::Simulator &sim = host::Simulator::Get();
    bool drawn = false;
    for (std::size_t i = 0; i < vessel.meshes.size(); ++i) {
        const host::Mesh *mesh = sim.MeshOf(vessel.meshes[i].mesh);
        if (mesh && !mesh->groups.empty()) {
            AddMeshToScene(scene, mark, *mesh, vessel, UINT(i), vessel.meshes[i].offset);
            drawn = true;
        }
    }
    if (!drawn) {
        const host::Mesh *first =
            vessel.meshes.empty() ? nullptr : sim.MeshOf(vessel.meshes[0].mesh);
        std::string what = first ? "mesh " + first->name + " (" +
                                       (first->file.empty() ? "no file " + sim.Root() + "/Meshes/" +
                                                                  first->name + ".msh"
                                                            : first->file + " has no groups") +
                                       ")"
                                 : "no mesh";
        if (placeholders.insert(what).second)
            std::fprintf(stderr,
                         "vesselhost: warning: %s: the picture draws the placeholder in "
                         "its place (first for vessel %s)\n",
                         what.c_str(), vessel.name.c_str());
        AddMeshToScene(scene, mark, host::BuildPlaceholderMesh(vessel), vessel, 0, _V(0, 0, 0));
    }
    Placement placement(vessel);
    mark.position = placement.Apply(_V(0, placement.groundY, 0));
    mark.forward = _V(placement.sinH, 0, placement.cosH);
    mark.arrowLength = std::max(1.0, vessel.size * kArrowPerSize);
    scene.marks.push_back(mark);
}

} // namespace

VECTOR3 Face::UnitNormal() const
{
    VECTOR3 a = _V(p[1].x - p[0].x, p[1].y - p[0].y, p[1].z - p[0].z);
    VECTOR3 b = _V(p[2].x - p[0].x, p[2].y - p[0].y, p[2].z - p[0].z);
    VECTOR3 n = _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
    double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return length > 0 ? _V(n.x / length, n.y / length, n.z / length) : n;
}

void Bounds::Add(const VECTOR3 &p)
{
    for (int i = 0; i < 3; ++i) {
        lo.data[i] = std::min(lo.data[i], p.data[i]);
        hi.data[i] = std::max(hi.data[i], p.data[i]);
    }
}

Scene BuildScene(const std::vector<const host::Vessel *> &vessels, double pixelsPerMetre,
                 const std::function<void(double)> &progress)
{
    Scene scene;
    std::set<std::string> placeholders;
    for (std::size_t i = 0; i < vessels.size(); ++i) {
        AddVessel(scene, *vessels[i], 2 * vessels[i]->size * pixelsPerMetre >= kDetailPixels,
                  placeholders);
        if (progress && i % 64 == 0)
            progress(double(i) / double(vessels.size()));
    }
    return scene;
}

} // namespace vesselhost
