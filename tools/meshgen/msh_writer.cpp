#include "tools/meshgen/msh_writer.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace meshgen {

namespace {

// Millimetre-and-better precision in short text; rounding noise near 0 written as 0.
std::string Text(double value)
{
    if (std::abs(value) < 1e-9)
        value = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

void WriteColour(std::ostream &out, double r, double g, double b, double a)
{
    out << Text(r) << ' ' << Text(g) << ' ' << Text(b) << ' ' << Text(a);
}

} // namespace

void WriteMesh(std::ostream &out, const Description &description)
{
    out << "MSHX1\nGROUPS " << description.groups.size() << '\n';
    for (const Group &group : description.groups) {
        const Solid &solid = group.solid;
        out << "LABEL " << group.label << "\nMATERIAL " << group.material + 1
            << "\nTEXTURE 0\nGEOM " << solid.vertices.size() << ' ' << solid.triangles.size()
            << '\n';
        for (const Vertex &v : solid.vertices)
            out << Text(v.p.x) << ' ' << Text(v.p.y) << ' ' << Text(v.p.z) << ' ' << Text(v.n.x)
                << ' ' << Text(v.n.y) << ' ' << Text(v.n.z) << ' ' << Text(v.u) << ' ' << Text(v.v)
                << '\n';
        for (const auto &t : solid.triangles)
            out << t[0] << ' ' << t[1] << ' ' << t[2] << '\n';
    }
    out << "MATERIALS " << description.materials.size() << '\n';
    for (const Material &m : description.materials)
        out << m.name << '\n';
    for (const Material &m : description.materials) {
        const auto &d = m.diffuse;
        out << "MATERIAL " << m.name << '\n';
        WriteColour(out, d[0], d[1], d[2], d[3]);
        out << '\n';
        // Ambient as diffuse, so shaded sides keep the colour; a faint sheen.
        WriteColour(out, d[0], d[1], d[2], d[3]);
        out << '\n';
        WriteColour(out, 0.15, 0.15, 0.15, 1);
        out << " 10\n";
        WriteColour(out, 0, 0, 0, 1);
        out << '\n';
    }
}

} // namespace meshgen
