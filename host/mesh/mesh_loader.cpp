#include "host/mesh/mesh_loader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "host/base/host_error.h"

namespace host {

namespace {

// Far beyond any real mesh (the simulator's own largest hold a few MiB and groups of a
// few ten thousand vertices), small enough that a mesh within them fits in memory.
constexpr std::uintmax_t kMostBytes = 256u << 20;
constexpr std::uint32_t kMostGroups = 1u << 16;
constexpr std::uint32_t kMostVertices = 1u << 21;  // per group
constexpr std::uint32_t kMostTriangles = 1u << 22; // per group

std::vector<std::string_view> Tokens(std::string_view line)
{
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IsKeyword(std::string_view token, std::string_view keyword)
{
    if (token.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < token.size(); ++i)
        if (char(std::toupper(static_cast<unsigned char>(token[i]))) != keyword[i])
            return false;
    return true;
}

bool ParseNumber(std::string_view token, double &value)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size() && std::isfinite(value);
}

bool ParseCount(std::string_view token, std::uint32_t &value, int base = 10)
{
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, base);
    return !token.empty() && error == std::errc() && end == token.data() + token.size();
}

bool ParseHex(std::string_view token, std::uint32_t &value)
{
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
        token.remove_prefix(2);
    return ParseCount(token, value, 16);
}

std::string Quoted(std::string_view token) { return "'" + std::string(token) + "'"; }

// The file's lines one at a time, comments cut and blank ones skipped, with the number of the last
// line read for error messages.
class LineSource {
public:
    LineSource(std::istream &in, const std::string &fileName) : in_(in), fileName_(fileName) {}

    // The next line that is not blank, without its line ending and without a comment
    // (from `;` to the end of the line, as the simulator's tools write after values);
    // false at the end.
    bool Next(std::string &text)
    {
        while (std::getline(in_, text)) {
            ++line_;
            bytes_ += text.size() + 1;
            if (bytes_ > kMostBytes)
                Fail("a mesh of at most " + std::to_string(kMostBytes >> 20) + " MiB");
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            if (std::size_t comment = text.find(';'); comment != std::string::npos)
                text.erase(comment);
            if (!Trimmed(text).empty())
                return true;
        }
        return false;
    }

    // The next line, or an error saying that `expected` did not come.
    std::string Require(const std::string &expected)
    {
        std::string text;
        if (!Next(text))
            FailAtEnd(expected);
        return text;
    }

    std::size_t Line() const { return line_; }

    [[noreturn]] void FailAt(std::size_t line, const std::string &expected) const
    {
        throw Error(fileName_ + ":" + std::to_string(line) + ": expected " + expected);
    }
    [[noreturn]] void Fail(const std::string &expected) const { FailAt(line_, expected); }
    [[noreturn]] void FailAtEnd(const std::string &expected) const
    {
        FailAt(line_ > 0 ? line_ : 1, expected + ", found the end of the file");
    }

private:
    std::istream &in_;
    const std::string &fileName_;
    std::size_t line_ = 0;
    std::uintmax_t bytes_ = 0;
};

void CheckCount(LineSource &lines, std::uint32_t count, std::uint32_t most, const std::string &what)
{
    if (count > most)
        lines.Fail("at most " + std::to_string(most) + " " + what + ", found " +
                   std::to_string(count));
}

// Where a group's material and texture were given, to place range errors found once the
// sections at the end are read; 0 where the group kept the default.
struct IndexLines {
    std::size_t material = 0, texture = 0;
};

std::string GroupName(std::size_t group) { return "group " + std::to_string(group); }

void ReadVertex(LineSource &lines, MeshGroup &group, std::size_t groupIndex, std::uint32_t count)
{
    std::string text;
    if (!lines.Next(text))
        lines.FailAtEnd(std::to_string(count) + " vertices in " + GroupName(groupIndex) + " (" +
                        std::to_string(group.vertices.size()) + " read)");
    auto tokens = Tokens(text);
    double v[8] = {};
    if (tokens.size() < 3)
        lines.Fail("3 vertex coordinates");
    for (std::size_t i = 0; i < tokens.size() && i < 8; ++i)
        if (!ParseNumber(tokens[i], v[i]))
            lines.Fail("a number in the vertex line, found " + Quoted(tokens[i]));
    MeshVertex vertex;
    vertex.position = _V(v[0], v[1], v[2]);
    std::size_t n = tokens.size();
    if (group.noNormal) {
        if (n != 3 && n != 5)
            lines.Fail("x y z [u v] (3 or 5 numbers) in a NONORMAL group, found " +
                       std::to_string(n));
        if (n == 5)
            vertex.uv = {v[3], v[4]};
    } else {
        if (n != 3 && n != 5 && n != 6 && n != 8)
            lines.Fail("x y z [nx ny nz] [u v] (3, 5, 6 or 8 numbers), found " + std::to_string(n));
        if (n >= 6)
            vertex.normal = _V(v[3], v[4], v[5]);
        if (n == 5)
            vertex.uv = {v[3], v[4]};
        if (n == 8)
            vertex.uv = {v[6], v[7]};
    }
    group.vertices.push_back(vertex);
}

void ReadTriangle(LineSource &lines, MeshGroup &group, std::size_t groupIndex, std::uint32_t count)
{
    std::string text;
    if (!lines.Next(text))
        lines.FailAtEnd(std::to_string(count) + " triangles in " + GroupName(groupIndex) + " (" +
                        std::to_string(group.triangles.size()) + " read)");
    auto tokens = Tokens(text);
    std::array<std::uint32_t, 3> triangle{};
    if (tokens.size() != 3)
        lines.Fail("3 vertex indices, found " + std::to_string(tokens.size()) + " values");
    for (std::size_t i = 0; i < 3; ++i) {
        if (!ParseCount(tokens[i], triangle[i]))
            lines.Fail("a vertex index (0 or more), found " + Quoted(tokens[i]));
        if (triangle[i] >= group.vertices.size())
            lines.Fail("a vertex index below " + std::to_string(group.vertices.size()) + " (" +
                       GroupName(groupIndex) + "'s vertex count), found " +
                       std::to_string(triangle[i]));
    }
    group.triangles.push_back(triangle);
}

std::uint32_t ReadIndexArgument(LineSource &lines, const std::vector<std::string_view> &tokens,
                                const char *what)
{
    std::uint32_t value = 0;
    if (tokens.size() != 2 || !ParseCount(tokens[1], value))
        lines.Fail(std::string(what) + " index after " + std::string(tokens[0]));
    return value;
}

// Header lines up to GEOM, then the vertex and triangle lines. `group` arrives holding
// the previous group's material and texture, which it keeps unless it names its own.
void ReadGroup(LineSource &lines, MeshGroup &group, IndexLines &indexLines, std::size_t index,
               std::size_t groupCount)
{
    std::uint32_t vertexCount = 0, triangleCount = 0;
    for (;;) {
        std::string text;
        if (!lines.Next(text))
            lines.FailAtEnd("GEOM for " + GroupName(index) + " (GROUPS says " +
                            std::to_string(groupCount) + ")");
        auto tokens = Tokens(text);
        std::string_view key = tokens[0];
        double number;
        if (IsKeyword(key, "GEOM")) {
            if (tokens.size() != 3 || !ParseCount(tokens[1], vertexCount) ||
                !ParseCount(tokens[2], triangleCount))
                lines.Fail("GEOM with a vertex count and a triangle count");
            CheckCount(lines, vertexCount, kMostVertices, "vertices in a group");
            CheckCount(lines, triangleCount, kMostTriangles, "triangles in a group");
            break;
        }
        if (IsKeyword(key, "LABEL")) {
            group.label = Trimmed(Trimmed(text).substr(key.size()));
        } else if (IsKeyword(key, "MATERIAL")) {
            group.material = ReadIndexArgument(lines, tokens, "a material");
            indexLines.material = lines.Line();
        } else if (IsKeyword(key, "TEXTURE")) {
            group.texture = ReadIndexArgument(lines, tokens, "a texture");
            indexLines.texture = lines.Line();
        } else if (IsKeyword(key, "NONORMAL")) {
            group.noNormal = true;
        } else if (IsKeyword(key, "FLAG")) {
            if (tokens.size() != 2 || !ParseHex(tokens[1], group.flags))
                lines.Fail("a hexadecimal value after FLAG");
        } else if (IsKeyword(key, "TEXWRAP")) {
            group.texWrap = tokens.size() > 1 ? std::string(tokens[1]) : std::string();
        } else if (ParseNumber(key, number)) {
            // Geometry where a header line belongs: the GEOM line is missing.
            lines.Fail("GEOM before the vertex lines of " + GroupName(index));
        }
        // Any other header line is a setting this host does not use.
    }
    for (std::uint32_t i = 0; i < vertexCount; ++i)
        ReadVertex(lines, group, index, vertexCount);
    for (std::uint32_t i = 0; i < triangleCount; ++i)
        ReadTriangle(lines, group, index, triangleCount);
}

std::uint32_t ReadSectionCount(LineSource &lines, const std::vector<std::string_view> &tokens)
{
    std::uint32_t count = 0;
    if (tokens.size() != 2 || !ParseCount(tokens[1], count))
        lines.Fail("a count after " + std::string(tokens[0]));
    return count;
}

MeshColour ReadColour(LineSource &lines, const std::string &what, const std::string &material,
                      double *power)
{
    std::string expected = "the " + what + " colour of material " + material + " (r g b a" +
                           (power ? " [power]" : "") + ")";
    std::string text = lines.Require(expected);
    auto tokens = Tokens(text);
    bool countOk = tokens.size() == 4 || (power && tokens.size() == 5);
    MeshColour colour{};
    double values[5] = {};
    for (std::size_t i = 0; countOk && i < tokens.size(); ++i)
        countOk = ParseNumber(tokens[i], values[i]);
    if (!countOk)
        lines.Fail(expected);
    for (std::size_t i = 0; i < 4; ++i)
        colour[i] = values[i];
    if (power && tokens.size() == 5)
        *power = values[4];
    return colour;
}

// MATERIALS n: n names, then per material "MATERIAL name" and its four colour lines.
void ReadMaterials(LineSource &lines, std::uint32_t count, Mesh &mesh)
{
    for (std::uint32_t i = 0; i < count; ++i) {
        MeshMaterial material;
        material.name = Trimmed(lines.Require(std::to_string(count) + " material names"));
        mesh.materials.push_back(material);
    }
    for (auto &material : mesh.materials) {
        std::string expected = "MATERIAL " + material.name;
        std::string text = lines.Require(expected);
        std::string_view line = Trimmed(text);
        std::string_view key = Tokens(line).front();
        if (!IsKeyword(key, "MATERIAL") || Trimmed(line.substr(key.size())) != material.name)
            lines.Fail(expected);
        material.diffuse = ReadColour(lines, "diffuse", material.name, nullptr);
        material.ambient = ReadColour(lines, "ambient", material.name, nullptr);
        material.specular = ReadColour(lines, "specular", material.name, &material.specularPower);
        material.emissive = ReadColour(lines, "emissive", material.name, nullptr);
    }
}

void ReadTextures(LineSource &lines, std::uint32_t count, Mesh &mesh)
{
    for (std::uint32_t i = 0; i < count; ++i)
        mesh.textures.emplace_back(
            Trimmed(lines.Require(std::to_string(count) + " texture names")));
}

// The optional sections after the groups, in either order, each at most once.
void ReadSections(LineSource &lines, Mesh &mesh)
{
    bool materialsSeen = false, texturesSeen = false;
    std::string text;
    while (lines.Next(text)) {
        auto tokens = Tokens(text);
        if (IsKeyword(tokens[0], "MATERIALS") && !materialsSeen) {
            materialsSeen = true;
            ReadMaterials(lines, ReadSectionCount(lines, tokens), mesh);
        } else if (IsKeyword(tokens[0], "TEXTURES") && !texturesSeen) {
            texturesSeen = true;
            ReadTextures(lines, ReadSectionCount(lines, tokens), mesh);
        } else {
            lines.Fail(std::string(materialsSeen ? "" : "MATERIALS or ") +
                       (texturesSeen ? "nothing more" : "TEXTURES") +
                       " after the last group, found " + Quoted(tokens[0]));
        }
    }
}

// Group material and texture indices are 1-based with 0 for none, so the largest valid
// index is the section's count.
void CheckIndices(const LineSource &lines, const Mesh &mesh,
                  const std::vector<IndexLines> &indexLines)
{
    for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
        const MeshGroup &group = mesh.groups[g];
        if (group.material > mesh.materials.size())
            lines.FailAt(indexLines[g].material,
                         "a material index up to " + std::to_string(mesh.materials.size()) +
                             " (the MATERIALS count), found " + std::to_string(group.material));
        if (group.texture > mesh.textures.size())
            lines.FailAt(indexLines[g].texture,
                         "a texture index up to " + std::to_string(mesh.textures.size()) +
                             " (the TEXTURES count), found " + std::to_string(group.texture));
    }
}

} // namespace

Mesh ReadMesh(std::istream &in, const std::string &fileName)
{
    LineSource lines(in, fileName);
    Mesh mesh;
    std::string text;
    if (!lines.Next(text))
        lines.FailAtEnd("MSHX1 on the first line");
    auto tokens = Tokens(text);
    if (lines.Line() != 1 || tokens.size() != 1 || !IsKeyword(tokens[0], "MSHX1"))
        lines.Fail("MSHX1 on the first line");

    text = lines.Require("GROUPS and a group count");
    tokens = Tokens(text);
    std::uint32_t groupCount = 0;
    if (tokens.size() != 2 || !IsKeyword(tokens[0], "GROUPS") || !ParseCount(tokens[1], groupCount))
        lines.Fail("GROUPS and a group count");
    CheckCount(lines, groupCount, kMostGroups, "groups");

    std::vector<IndexLines> indexLines;
    for (std::uint32_t g = 0; g < groupCount; ++g) {
        MeshGroup group;
        IndexLines groupLines;
        if (g > 0) {
            group.material = mesh.groups.back().material;
            group.texture = mesh.groups.back().texture;
            groupLines = indexLines.back();
        }
        ReadGroup(lines, group, groupLines, g, groupCount);
        mesh.groups.push_back(std::move(group));
        indexLines.push_back(groupLines);
    }
    ReadSections(lines, mesh);
    CheckIndices(lines, mesh, indexLines);
    return mesh;
}

Mesh LoadMeshFile(const std::string &path)
{
    // A FIFO or a device would block the read or never end it; a file too large for any
    // mesh is refused before it is read.
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw Error(path + ": is not a regular file; expected a mesh file");
    if (std::filesystem::is_regular_file(status) &&
        std::filesystem::file_size(path, error) > kMostBytes)
        throw Error(path + ":1: expected a mesh of at most " + std::to_string(kMostBytes >> 20) +
                    " MiB, found " + std::to_string(std::filesystem::file_size(path, error)) +
                    " bytes");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(path + ": cannot open the mesh file");
    Mesh mesh = ReadMesh(in, path);
    mesh.file = path;
    return mesh;
}

} // namespace host
