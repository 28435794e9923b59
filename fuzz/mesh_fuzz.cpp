// Fuzz target: the text mesh loader on arbitrary bytes. A mesh it accepts is whole (every
// triangle's indices within its group, every material and texture index within its
// section, every number finite); one it rejects is named in a host::Error of the form
// "FILE:LINE: expected ...", with a line that exists in the input.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/error_line.h"
#include "host/base/host_error.h"
#include "host/mesh/mesh_loader.h"

namespace {

const std::string kFile = "fuzz.msh";

[[noreturn]] void Broken(const std::string &what)
{
    std::fprintf(stderr, "mesh loader: %s\n", what.c_str());
    std::abort();
}

bool Finite(const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void CheckMesh(const host::Mesh &mesh)
{
    for (const auto &group : mesh.groups) {
        if (group.material > mesh.materials.size() || group.texture > mesh.textures.size())
            Broken("a group's material or texture index beyond its section");
        for (const auto &vertex : group.vertices)
            if (!Finite(vertex.position) || (vertex.normal && !Finite(*vertex.normal)))
                Broken("a vertex number that is not finite");
        for (const auto &triangle : group.triangles)
            for (auto index : triangle)
                if (index >= group.vertices.size())
                    Broken("a triangle index beyond its group's vertices");
    }
}

void CheckError(const std::string &message, const std::string &text)
{
    if (const std::string problem = fuzzing::ErrorLineProblem(message, text, kFile, ": expected ");
        !problem.empty())
        Broken(problem);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::istringstream in(text);
    try {
        CheckMesh(host::ReadMesh(in, kFile));
    } catch (const host::Error &e) {
        CheckError(e.what(), text);
    }
    return 0;
}
