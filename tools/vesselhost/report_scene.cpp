#include "tools/vesselhost/report_scene.h"

#include <algorithm>

#include "host/core/simulator.h"
#include "host/mesh/mesh.h"
#include "host/vessel/placeholder_mesh.h"
#include "host/vessel/pose_cache.h"
#include "sdk/VesselAPI.h"

namespace vesselhost {

namespace {

const host::MeshColour kDefaultMaterial{0.78, 0.78, 0.78, 1};

nlohmann::json Vector(const VECTOR3 &v) { return {v.x, v.y, v.z}; }

void AddParts(nlohmann::json &parts, const host::Mesh &mesh, UINT slot, const VECTOR3 &offset,
              ByteBlock &block)
{
    for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
        const host::MeshGroup &group = mesh.groups[g];
        if (group.triangles.empty())
            continue;
        std::vector<float> positions;
        for (const host::MeshVertex &v : group.vertices)
            for (double value :
                 {v.position.x + offset.x, v.position.y + offset.y, v.position.z + offset.z})
                positions.push_back(float(value));
        std::vector<std::uint32_t> indices;
        for (const auto &triangle : group.triangles)
            for (std::uint32_t index : triangle)
                indices.push_back(index < group.vertices.size() ? index : 0);
        const host::MeshColour &colour =
            group.material == 0 || group.material > mesh.materials.size()
                ? kDefaultMaterial
                : mesh.materials[group.material - 1].diffuse;
        parts.push_back({{"slot", slot},
                         {"group", g},
                         {"colour", colour},
                         {"positions", block.Add(positions)},
                         {"indices", block.Add(indices)}});
    }
}

} // namespace

nlohmann::json ClassScene(const host::Vessel &vessel, ByteBlock &block)
{
    nlohmann::json parts = nlohmann::json::array();
    const host::Simulator &sim = host::Simulator::Get();
    for (std::size_t i = 0; i < vessel.meshes.size(); ++i) {
        const host::Mesh *mesh = sim.MeshOf(vessel.meshes[i].mesh);
        if (mesh && !mesh->groups.empty())
            AddParts(parts, *mesh, UINT(i), vessel.meshes[i].offset, block);
    }
    if (parts.empty()) // as the picture draws it: the placeholder as mesh 0
        AddParts(parts, host::BuildPlaceholderMesh(vessel), 0, _V(0, 0, 0), block);

    nlohmann::json components = nlohmann::json::array();
    for (const host::AnimationComponent &component : vessel.components) {
        nlohmann::json row = {{"animation", component.animation},
                              {"state0", component.state0},
                              {"state1", component.state1},
                              {"parent", component.parent}};
        if (const MGROUP_ROTATION *rotation = host::RotationRecordOf(component)) {
            row["slot"] = rotation->meshIndex;
            row["groups"] = std::vector<UINT>(rotation->groupIndices,
                                              rotation->groupIndices + rotation->groupCount);
            row["reference"] = Vector(rotation->referencePoint);
            row["axis"] = Vector(rotation->axis);
            row["angle"] = double(rotation->angle);
        }
        components.push_back(std::move(row));
    }
    double groundY =
        std::min({vessel.touchdown[0].y, vessel.touchdown[1].y, vessel.touchdown[2].y});
    return {
        {"groundY", groundY}, {"parts", std::move(parts)}, {"components", std::move(components)}};
}

} // namespace vesselhost
