// The text mesh loader on the test meshes (tests/data/meshes), on small meshes written
// here, on broken ones, and as the host uses it through oapiLoadMeshGlobal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "generated/test_build.h"
#include "host/base/host_error.h"
#include "host/mesh/mesh_loader.h"
#include "tests/support/host_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string DataMeshPath(const std::string &name)
{
    return std::string(TEST_DATA) + "/meshes/" + name + ".msh";
}

host::Mesh DataMesh(const std::string &name) { return host::LoadMeshFile(DataMeshPath(name)); }

host::Mesh FromText(const std::string &text)
{
    std::istringstream in(text);
    return host::ReadMesh(in, "Meshes/Test.msh");
}

// The message of the error that reading `text` gives, or "" when it reads.
std::string MeshErrorOf(const std::string &text)
{
    try {
        FromText(text);
    } catch (const host::Error &e) {
        return e.what();
    }
    return "";
}

// A fresh folder for files written by a test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        path_ = fs::temp_directory_path() /
                ("mesh_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path &Path() const { return path_; }
    std::string Write(const std::string &relative, const std::string &text) const
    {
        fs::path file = path_ / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        // As the host names the file: the root, then the relative name after a '/'.
        return path_.string() + "/" + relative;
    }

private:
    fs::path path_;
};

struct GroupCounts {
    std::size_t vertices, triangles;
    unsigned material, texture;
};

void ExpectGroups(const host::Mesh &mesh, const std::vector<GroupCounts> &expected)
{
    ASSERT_EQ(mesh.groups.size(), expected.size());
    for (std::size_t g = 0; g < expected.size(); ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        EXPECT_EQ(mesh.groups[g].vertices.size(), expected[g].vertices);
        EXPECT_EQ(mesh.groups[g].triangles.size(), expected[g].triangles);
        EXPECT_EQ(mesh.groups[g].material, expected[g].material);
        EXPECT_EQ(mesh.groups[g].texture, expected[g].texture);
    }
}

// --- the test meshes of tests/data/meshes --------------------------------------------------

TEST(MeshLoaderDataMeshes, PanelHasOneTexturedQuadAndItsMaterial)
{
    host::Mesh mesh = DataMesh("panel");
    ExpectGroups(mesh, {{4, 2, 1, 1}});
    const auto &v = mesh.groups[0].vertices;
    EXPECT_DOUBLE_EQ(v[3].position.x, 4);
    EXPECT_DOUBLE_EQ(v[3].position.z, -3);
    ASSERT_TRUE(v[3].normal && v[3].uv);
    EXPECT_DOUBLE_EQ(v[3].normal->y, 1);
    EXPECT_EQ(*v[3].uv, (std::array<double, 2>{1, 1}));
    EXPECT_EQ(mesh.groups[0].triangles[1], (std::array<std::uint32_t, 3>{1, 3, 2}));
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].name, "Plate");
    EXPECT_EQ(mesh.materials[0].diffuse, (host::MeshColour{0.8, 0.8, 0.8, 0.75}));
    EXPECT_EQ(mesh.materials[0].emissive, (host::MeshColour{0.1, 0.2, 0.3, 0.75}));
    EXPECT_EQ(mesh.textures, std::vector<std::string>{"plate.dds"});
    EXPECT_EQ(mesh.file, DataMeshPath("panel"));
}

TEST(MeshLoaderDataMeshes, DrumHasNormalsAndUvOnEveryVertexAndKeepsTheDefaultMaterial)
{
    host::Mesh mesh = DataMesh("drum");
    ExpectGroups(mesh, {{19, 18, 0, 0}});
    for (const auto &vertex : mesh.groups[0].vertices) {
        EXPECT_TRUE(vertex.normal.has_value());
        EXPECT_TRUE(vertex.uv.has_value());
    }
    EXPECT_DOUBLE_EQ(mesh.groups[0].vertices[2].normal->x, 0.5);
    EXPECT_DOUBLE_EQ(mesh.groups[0].vertices[12].normal->y, 1);
    // The group names material 0 and texture 0 although the sections list one each.
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].name, "Steel");
    EXPECT_EQ(mesh.textures, std::vector<std::string>{"0"});
}

TEST(MeshLoaderDataMeshes, RoverGroupsInheritMaterialAndTextureFromTheGroupBefore)
{
    host::Mesh mesh = DataMesh("rover");
    // Groups 1 to 3 name only a texture and keep material 1; groups 5 and 6 name
    // nothing and keep material 2 and texture 0 from group 4.
    ExpectGroups(mesh, {{9, 7, 1, 0},
                        {5, 3, 1, 1},
                        {4, 2, 1, 2},
                        {3, 1, 1, 2},
                        {8, 6, 2, 0},
                        {8, 4, 2, 0},
                        {8, 6, 2, 0}});
    EXPECT_EQ(mesh.groups[1].texWrap, "V");
    EXPECT_EQ(mesh.groups[0].texWrap, "");
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.materials[1].name, "Axle");
    EXPECT_EQ(mesh.materials[1].diffuse, (host::MeshColour{0.25, 0.25, 0.25, 1}));
    EXPECT_DOUBLE_EQ(mesh.materials[0].specularPower, 12);
    EXPECT_EQ(mesh.textures, (std::vector<std::string>{"rover.dds", "roverlamp.dds"}));
}

TEST(MeshLoaderDataMeshes, RoverVertexLinesOfSixEightFiveAndThreeNumbersAreToldApart)
{
    host::Mesh mesh = DataMesh("rover");
    const auto &normalsOnly = mesh.groups[0].vertices[0];
    ASSERT_TRUE(normalsOnly.normal.has_value());
    EXPECT_FALSE(normalsOnly.uv.has_value());
    EXPECT_DOUBLE_EQ(normalsOnly.normal->z, 1);

    // Group 2 mixes lines with both, with normals only and with texture coordinates only.
    const auto &mixed = mesh.groups[2].vertices;
    ASSERT_TRUE(mixed[0].normal && mixed[0].uv);
    EXPECT_EQ(*mixed[0].uv, (std::array<double, 2>{1, 0.8}));
    EXPECT_TRUE(mixed[2].normal.has_value());
    EXPECT_FALSE(mixed[2].uv.has_value());
    EXPECT_FALSE(mixed[3].normal.has_value());
    ASSERT_TRUE(mixed[3].uv.has_value());
    EXPECT_EQ(*mixed[3].uv, (std::array<double, 2>{0.25, 0.5}));

    const auto &bare = mesh.groups[4].vertices[0];
    EXPECT_FALSE(bare.normal.has_value());
    EXPECT_FALSE(bare.uv.has_value());
    EXPECT_DOUBLE_EQ(bare.position.y, -0.9);
}

TEST(MeshLoaderDataMeshes, HubHasTwelveGroupsThreeMaterialsAndSpecularPower)
{
    host::Mesh mesh = DataMesh("hub");
    ExpectGroups(mesh, {{96, 96, 1, 1},
                        {8, 8, 2, 0},
                        {10, 10, 2, 0},
                        {12, 12, 2, 0},
                        {8, 8, 3, 0},
                        {10, 10, 2, 0},
                        {12, 12, 2, 0},
                        {8, 8, 2, 0},
                        {10, 10, 2, 0},
                        {12, 12, 2, 0},
                        {8, 8, 2, 0},
                        {10, 10, 3, 0}});
    EXPECT_EQ(mesh.groups[0].triangles[95], (std::array<std::uint32_t, 3>{0, 1, 95}));
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(mesh.materials[2].name, "HubInside");
    EXPECT_DOUBLE_EQ(mesh.materials[0].specularPower, 20);
    EXPECT_DOUBLE_EQ(mesh.materials[1].specularPower, 40);
    EXPECT_DOUBLE_EQ(mesh.materials[2].specularPower, 0);
    EXPECT_EQ(mesh.textures, std::vector<std::string>{"tyre.dds"});
}

TEST(MeshLoaderDataMeshes, CommentsAfterValuesTabsCrlfAndNoFinalLineEndAsEditorsWrite)
{
    host::Mesh mesh = host::LoadMeshFile(std::string(TEST_DATA) + "/meshes/ramp_commented.msh");
    ASSERT_EQ(mesh.groups.size(), 2u);
    const host::MeshGroup &deck = mesh.groups[0];
    EXPECT_EQ(deck.label, "deck");
    EXPECT_EQ(deck.material, 1u);
    ASSERT_EQ(deck.vertices.size(), 4u);
    EXPECT_EQ(deck.vertices[2].position.y, 0.5);
    EXPECT_EQ(*deck.vertices[2].uv, (std::array<double, 2>{1, 1}));
    ASSERT_EQ(deck.triangles.size(), 2u);
    EXPECT_EQ(deck.triangles[1], (std::array<std::uint32_t, 3>{0, 3, 2}));
    EXPECT_TRUE(mesh.groups[1].noNormal);
    EXPECT_EQ(mesh.groups[1].triangles.size(), 1u);
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].name, "Paint");
    EXPECT_DOUBLE_EQ(mesh.materials[0].specularPower, 20);
    EXPECT_EQ(mesh.textures, std::vector<std::string>{"Ramp\\deck.dds"});
}

// --- small meshes -------------------------------------------------------------------------

TEST(MeshLoaderSmallMeshes, HeaderKeywordsAreCaseInsensitiveAndUnknownOnesIgnored)
{
    host::Mesh mesh = FromText("MSHX1\r\n"
                               "groups 2\r\n"
                               "Label  front panel \r\n"
                               "material 1\r\n"
                               "ZBIAS 3\r\n"
                               "flag 0x1A\r\n"
                               "NoNormal\r\n"
                               "TexWrap UV\r\n"
                               "geom 3 1\r\n"
                               "0 0 0 0.5 0.25\r\n"
                               "1 0 0\r\n"
                               "\r\n"
                               "0 1 0\r\n"
                               "0 1 2\r\n"
                               "FLAG 2\r\n"
                               "GEOM 0 0\r\n"
                               "MATERIALS 1\r\n"
                               "Paint\r\n"
                               "MATERIAL Paint\r\n"
                               "1 0 0 1\r\n0 1 0 1\r\n0 0 1 1\r\n0 0 0 1\r\n");
    ASSERT_EQ(mesh.groups.size(), 2u);
    const host::MeshGroup &first = mesh.groups[0];
    EXPECT_EQ(first.label, "front panel");
    EXPECT_EQ(first.flags, 0x1Au);
    EXPECT_TRUE(first.noNormal);
    EXPECT_EQ(first.texWrap, "UV");
    ASSERT_EQ(first.vertices.size(), 3u);
    EXPECT_FALSE(first.vertices[0].normal.has_value());
    EXPECT_EQ(*first.vertices[0].uv, (std::array<double, 2>{0.5, 0.25}));
    // Only material and texture carry over; the other settings are the group's own.
    const host::MeshGroup &second = mesh.groups[1];
    EXPECT_EQ(second.material, 1u);
    EXPECT_EQ(second.flags, 2u);
    EXPECT_FALSE(second.noNormal);
    EXPECT_EQ(second.label, "");
    EXPECT_EQ(mesh.materials[0].diffuse, (host::MeshColour{1, 0, 0, 1}));
}

TEST(MeshLoaderSmallMeshes, TexturesMayComeBeforeMaterialsAndFileMayEndWithoutNewline)
{
    host::Mesh mesh = FromText("MSHX1\nGROUPS 1\nMATERIAL 1\nTEXTURE 1\nGEOM 1 0\n0 0 0\n"
                               "TEXTURES 1\nrock.dds\n"
                               "MATERIALS 1\nA\nMATERIAL A\n1 1 1 1\n1 1 1 1\n1 1 1 1 5\n0 0 0 1");
    EXPECT_EQ(mesh.textures, std::vector<std::string>{"rock.dds"});
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_DOUBLE_EQ(mesh.materials[0].specularPower, 5);
}

TEST(MeshLoaderSmallMeshes, ZeroGroupsAndAnEmptyGroupRead)
{
    EXPECT_TRUE(FromText("MSHX1\nGROUPS 0\n").groups.empty());
    host::Mesh mesh = FromText("MSHX1\nGROUPS 1\nGEOM 0 0\n");
    ASSERT_EQ(mesh.groups.size(), 1u);
    EXPECT_TRUE(mesh.groups[0].vertices.empty());
}

// --- broken meshes: each error names the file, the line and what was expected ------------

struct BrokenMesh {
    const char *what;
    const char *text;
    const char *message; // the whole message, file and line included
};

const BrokenMesh kBrokenMeshes[] = {
    {"empty file", "",
     "Meshes/Test.msh:1: expected MSHX1 on the first line, found the end of the file"},
    {"wrong magic", "MSHX2\nGROUPS 0\n", "Meshes/Test.msh:1: expected MSHX1 on the first line"},
    {"no group count", "MSHX1\nGROUPS\n", "Meshes/Test.msh:2: expected GROUPS and a group count"},
    {"negative group count", "MSHX1\nGROUPS -1\n",
     "Meshes/Test.msh:2: expected GROUPS and a group count"},
    {"group count beyond 32 bits", "MSHX1\nGROUPS 99999999999\n",
     "Meshes/Test.msh:2: expected GROUPS and a group count"},
    {"fewer groups than counted", "MSHX1\nGROUPS 3\nGEOM 0 0\n",
     "Meshes/Test.msh:3: expected GEOM for group 1 (GROUPS says 3), found the end of the file"},
    {"huge group count", "MSHX1\nGROUPS 4294967295\nGEOM 0 0\n",
     "Meshes/Test.msh:2: expected at most 65536 groups, found 4294967295"},
    {"group count past the limit", "MSHX1\nGROUPS 65537\n",
     "Meshes/Test.msh:2: expected at most 65536 groups, found 65537"},
    {"group count at the limit, truncated", "MSHX1\nGROUPS 65536\nGEOM 0 0\n",
     "Meshes/Test.msh:3: expected GEOM for group 1 (GROUPS says 65536), found the end of the "
     "file"},
    {"vertex lines without GEOM", "MSHX1\nGROUPS 1\nMATERIAL 0\n0 0 0\n",
     "Meshes/Test.msh:4: expected GEOM before the vertex lines of group 0"},
    {"GEOM without counts", "MSHX1\nGROUPS 1\nGEOM 3\n",
     "Meshes/Test.msh:3: expected GEOM with a vertex count and a triangle count"},
    {"material not a number", "MSHX1\nGROUPS 1\nMATERIAL one\nGEOM 0 0\n",
     "Meshes/Test.msh:3: expected a material index after MATERIAL"},
    {"bad flag", "MSHX1\nGROUPS 1\nFLAG 0xZZ\nGEOM 0 0\n",
     "Meshes/Test.msh:3: expected a hexadecimal value after FLAG"},
    {"short vertex line", "MSHX1\nGROUPS 1\nGEOM 2 0\n0 0 0\n1 2\n",
     "Meshes/Test.msh:5: expected 3 vertex coordinates"},
    {"vertex not a number", "MSHX1\nGROUPS 1\nGEOM 1 0\n0 x 0\n",
     "Meshes/Test.msh:4: expected a number in the vertex line, found 'x'"},
    {"vertex infinity", "MSHX1\nGROUPS 1\nGEOM 1 0\n0 inf 0\n",
     "Meshes/Test.msh:4: expected a number in the vertex line, found 'inf'"},
    {"vertex of four numbers", "MSHX1\nGROUPS 1\nGEOM 1 0\n0 0 0 1\n",
     "Meshes/Test.msh:4: expected x y z [nx ny nz] [u v] (3, 5, 6 or 8 numbers), found 4"},
    {"normal on a NONORMAL group", "MSHX1\nGROUPS 1\nNONORMAL\nGEOM 1 0\n0 0 0 0 1 0\n",
     "Meshes/Test.msh:5: expected x y z [u v] (3 or 5 numbers) in a NONORMAL group, found 6"},
    {"truncated vertices", "MSHX1\nGROUPS 1\nGEOM 4 0\n0 0 0\n0 0 0\n",
     "Meshes/Test.msh:5: expected 4 vertices in group 0 (2 read), found the end of the file"},
    {"huge vertex count", "MSHX1\nGROUPS 1\nGEOM 4294967295 0\n0 0 0\n",
     "Meshes/Test.msh:3: expected at most 2097152 vertices in a group, found 4294967295"},
    {"vertex count at the limit, truncated", "MSHX1\nGROUPS 1\nGEOM 2097152 0\n0 0 0\n",
     "Meshes/Test.msh:4: expected 2097152 vertices in group 0 (1 read), found the end of the "
     "file"},
    {"triangle count past the limit", "MSHX1\nGROUPS 1\nGEOM 3 4194305\n",
     "Meshes/Test.msh:3: expected at most 4194304 triangles in a group, found 4194305"},
    {"truncated triangles", "MSHX1\nGROUPS 1\nGEOM 3 2\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n",
     "Meshes/Test.msh:7: expected 2 triangles in group 0 (1 read), found the end of the file"},
    {"triangle of two indices", "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1\n",
     "Meshes/Test.msh:7: expected 3 vertex indices, found 2 values"},
    {"triangle index out of range", "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 3\n",
     "Meshes/Test.msh:7: expected a vertex index below 3 (group 0's vertex count), found 3"},
    {"negative triangle index", "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 -1 2\n",
     "Meshes/Test.msh:7: expected a vertex index (0 or more), found '-1'"},
    {"material beyond the section",
     "MSHX1\nGROUPS 2\nMATERIAL 2\nGEOM 0 0\nGEOM 0 0\n"
     "MATERIALS 1\nA\nMATERIAL A\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n",
     "Meshes/Test.msh:3: expected a material index up to 1 (the MATERIALS count), found 2"},
    {"texture without a section", "MSHX1\nGROUPS 1\nTEXTURE 1\nGEOM 0 0\n",
     "Meshes/Test.msh:3: expected a texture index up to 0 (the TEXTURES count), found 1"},
    {"stray line after the groups", "MSHX1\nGROUPS 1\nGEOM 0 0\n0 0 0\n",
     "Meshes/Test.msh:4: expected MATERIALS or TEXTURES after the last group, found '0'"},
    {"section given twice", "MSHX1\nGROUPS 0\nTEXTURES 0\nTEXTURES 0\n",
     "Meshes/Test.msh:4: expected MATERIALS or nothing more after the last group, found "
     "'TEXTURES'"},
    {"missing material names", "MSHX1\nGROUPS 0\nMATERIALS 2\nA\n",
     "Meshes/Test.msh:4: expected 2 material names, found the end of the file"},
    {"material block of another name", "MSHX1\nGROUPS 0\nMATERIALS 1\nA\nMATERIAL B\n",
     "Meshes/Test.msh:5: expected MATERIAL A"},
    {"colour of three numbers", "MSHX1\nGROUPS 0\nMATERIALS 1\nA\nMATERIAL A\n1 1 1\n",
     "Meshes/Test.msh:6: expected the diffuse colour of material A (r g b a)"},
    {"truncated material", "MSHX1\nGROUPS 0\nMATERIALS 1\nA\nMATERIAL A\n1 1 1 1\n1 1 1 1\n",
     "Meshes/Test.msh:7: expected the specular colour of material A (r g b a [power]), found "
     "the end of the file"},
    {"missing texture names", "MSHX1\nGROUPS 0\nTEXTURES 3\na.dds\n",
     "Meshes/Test.msh:4: expected 3 texture names, found the end of the file"},
};

TEST(MeshLoaderBrokenMeshes, EachErrorNamesFileLineAndWhatWasExpected)
{
    for (const BrokenMesh &broken : kBrokenMeshes) {
        SCOPED_TRACE(broken.what);
        EXPECT_EQ(MeshErrorOf(broken.text), broken.message);
    }
}

TEST(MeshLoaderBrokenMeshes, EveryTruncationOfADataMeshIsAnErrorWithinWhatWasRead)
{
    // Each of these names a material or texture that only its last section supplies, so
    // no proper prefix of it is a whole mesh.
    for (const char *name : {"panel", "rover"}) {
        std::ifstream in(DataMeshPath(name));
        ASSERT_TRUE(in) << DataMeshPath(name);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        ASSERT_GT(lines.size(), 10u);
        std::string prefix;
        for (std::size_t kept = 0; kept < lines.size(); ++kept) {
            SCOPED_TRACE(std::string(name) + " cut after line " + std::to_string(kept));
            std::string message = MeshErrorOf(prefix);
            ASSERT_EQ(message.rfind("Meshes/Test.msh:", 0), 0u) << message;
            std::size_t line = std::stoul(message.substr(16));
            EXPECT_GE(line, 1u);
            EXPECT_LE(line, std::max<std::size_t>(kept, 1));
            prefix += lines[kept] + "\n";
        }
        EXPECT_EQ(MeshErrorOf(prefix), "");
    }
}

// Missing, a folder, a file past the size limit (sparse: no disk is used): each
// refused before a byte is read.
TEST(MeshLoaderBrokenMeshes, UnreadableFileNamesItsPath)
{
    TempFolder folder;
    const std::string missing = (folder.Path() / "missing.msh").string();
    const std::string large = (folder.Path() / "large.msh").string();
    std::filesystem::create_directory(folder.Path() / "folder.msh");
    std::ofstream(large) << "MSHX1\n";
    std::filesystem::resize_file(large, (256u << 20) + 1);
    const std::pair<std::string, std::string> rows[] = {
        {missing, missing + ": cannot open the mesh file"},
        {(folder.Path() / "folder.msh").string(),
         (folder.Path() / "folder.msh").string() + ": is not a regular file; expected a mesh file"},
        {large, large + ":1: expected a mesh of at most 256 MiB, found 268435457 bytes"},
    };
    for (const auto &[path, message] : rows) {
        try {
            host::LoadMeshFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const host::Error &e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

// --- the host: oapiLoadMeshGlobal finds meshes in the root's Meshes folder ----------------

class MeshLoadingHost : public testing_support::HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        sim.SetRoot(folder.Path().string());
    }
    TempFolder folder;
};

constexpr char kTriangle[] = "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 1 0\n0 1 2\n";

TEST_F(MeshLoadingHost, MeshFileInTheRootLoadsOncePerName)
{
    std::string path = folder.Write("Meshes/Tri.msh", kTriangle);
    MESHHANDLE first = oapiLoadMeshGlobal("Tri");
    const host::Mesh *mesh = sim.MeshOf(first);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->name, "Tri");
    EXPECT_EQ(mesh->file, path);
    EXPECT_EQ(mesh->groups.size(), 1u);
    // A second request is served from memory: a changed file is not read again.
    folder.Write("Meshes/Tri.msh", "MSHX1\nGROUPS 0\n");
    EXPECT_EQ(oapiLoadMeshGlobal("Tri"), first);
    EXPECT_EQ(sim.MeshOf(first)->groups.size(), 1u);
    EXPECT_TRUE(sim.MeshErrors().empty());
}

TEST_F(MeshLoadingHost, BackslashInTheNameIsAFolder)
{
    folder.Write("Meshes/Varlok/Body.msh", kTriangle);
    const host::Mesh *mesh = sim.MeshOf(oapiLoadMeshGlobal("Varlok\\Body"));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->name, "Varlok\\Body");
    EXPECT_EQ(mesh->groups.size(), 1u);
}

TEST_F(MeshLoadingHost, MissingFileGivesAnEmptyNamedMeshWithoutError)
{
    const host::Mesh *mesh = sim.MeshOf(oapiLoadMeshGlobal("VARLOK"));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->name, "VARLOK");
    EXPECT_TRUE(mesh->file.empty());
    EXPECT_TRUE(mesh->groups.empty());
    EXPECT_TRUE(sim.MeshErrors().empty());
}

TEST_F(MeshLoadingHost, BrokenFileIsNotedOnceAndLeavesTheMeshEmpty)
{
    std::string path = folder.Write("Meshes/Bad.msh", "MSHX1\nGROUPS 1\nGEOM 2 0\n0 0 0\n");
    MESHHANDLE handle = oapiLoadMeshGlobal("Bad");
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(sim.MeshOf(handle)->groups.empty());
    EXPECT_TRUE(sim.MeshOf(handle)->file.empty());
    oapiLoadMeshGlobal("Bad");
    ASSERT_EQ(sim.MeshErrors().size(), 1u);
    EXPECT_EQ(sim.MeshErrors()[0], path + ":4: expected 2 vertices in group 0 (1 read), found the "
                                          "end of the file");
    sim.Reset();
    EXPECT_TRUE(sim.MeshErrors().empty());
}

} // namespace
