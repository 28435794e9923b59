// meshgen's reading of a vehicle description: where * parts land, what mirror and repeat
// make, and errors that name the file, the line and what was expected.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "tools/meshgen/description.h"

namespace {

namespace fs = std::filesystem;

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("meshgen-test-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Write(const std::string &name, const std::string &text)
    {
        std::ofstream(folder / name) << text;
        return (folder / name).string();
    }

    fs::path folder;
};

TEST_F(DescriptionTest, StarPartsFillTheFreeIndicesInOrderAndCopiesTakeAGroupEach)
{
    std::string path =
        Write("v.parts", "material m 0.5 0.5 0.5\n"
                         "set WHEEL 4\n"
                         "$WHEEL wheel m cyl 0 0 0  1 0 0  0.5  ; two lines, one group\n"
                         "$WHEEL wheel m box 1 2 0 1 0 1\n"
                         "* rivet m box 1 2 0 1 0 1 mirror repeat 2 0 0 3\n"
                         "* hull m prism -1 1  0 0  2 0  2 1\n");
    meshgen::Description d = meshgen::ReadDescription(path);
    ASSERT_EQ(d.groups.size(), 6u);
    const char *labels[] = {"rivet_1", "rivet_2", "rivet_3", "rivet_4", "wheel", "hull"};
    for (std::size_t g = 0; g < 6; ++g)
        EXPECT_EQ(d.groups[g].label, labels[g]);
    EXPECT_EQ(d.groups[1].solid.vertices[0].p.x, -d.groups[0].solid.vertices[0].p.x); // mirror
    EXPECT_EQ(d.groups[2].solid.vertices[0].p.z, d.groups[0].solid.vertices[0].p.z + 3);
    // A 24-sided cylinder (two triangles a side, caps of 22) and a box, in one group.
    EXPECT_EQ(d.groups[4].solid.triangles.size(), 2 * 24u + 2 * 22u + 12u);
}

TEST_F(DescriptionTest, FaultsNameTheFileLineAndWhatWasExpected)
{
    struct Case {
        const char *text, *message;
    };
    const Case cases[] = {
        {"material m 1 1 1\n0 a m sphere 1\n", "v.parts:2: expected a shape (box, prism or cyl)"},
        {"0 a n box 0 1 0 1 0 1\n", "v.parts:1: expected a material named by an earlier"},
        {"material m 1 1 2\n", "v.parts:1: expected a colour value 0..1, found '2'"},
        {"material m 1 1 1\n0 a m box 1 0 0 1 0 1\n", "v.parts:2: expected a box with each lower"},
        {"material m 1 1 1\n0 a m box 0 1 0 1 0 x\n", "v.parts:2: expected a number of the box"},
        {"material m 1 1 1\n0 a m prism 0 1  0 0  1 1  2 0  1 -1  1 0.5\n",
         "v.parts:2: expected a convex profile"},
        {"material m 1 1 1\n0 a m cyl 0 0 0 0 0 0 1\n", "v.parts:2: expected two different end"},
        {"material m 1 1 1\n0 a m box 0 1 0 1 0 1 repeat 2 0 0\n", "v.parts:2: expected repeat N"},
        {"material m 1 1 1\n$G a m box 0 1 0 1 0 1\n", "v.parts:2: expected a name given by"},
        {"material m 1 1 1\nmaterial n 1 1 1\n0 a m box 0 1 0 1 0 1\n0 a n box 0 1 0 1 0 1\n",
         "v.parts:4: expected material m for group 0"},
        {"material m 1 1 1\n2 a m box 0 1 0 1 0 1\n",
         "expected a part in every group; empty: 0, 1"},
        {"include missing.parts\n", "missing.parts: cannot open"},
    };
    for (const Case &c : cases) {
        std::string path = Write("v.parts", c.text);
        try {
            meshgen::ReadDescription(path);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const std::runtime_error &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << e.what() << "\nfor: " << c.text;
        }
    }
}

} // namespace
