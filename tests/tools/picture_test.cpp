// Pictures: a PNG of the expected size with the vessels drawn in both views, their own
// mesh when they have one, else their placeholder; a file that cannot be written is an
// error that leaves nothing behind.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

#include "host/base/host_error.h"
#include "output/output_file.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"
#include "tools/vesselhost/picture.h"

namespace {

namespace fs = std::filesystem;

using testing_support::kDeg;
const UINT kWheelGroup[] = {3};
const UINT kLeverGroup[] = {1};

// A vessel as the shipped vehicles declare it, with one wheel and one lever.
struct DeclaredVessel {
    MGROUP_ROTATION wheel{0, kWheelGroup, 1, _V(1.262, -1.341, 2.068), _V(1, 0, 0),
                          float(360 * kDeg)};
    MGROUP_ROTATION lever{0, kLeverGroup, 1, _V(-0.707, -0.83, 2.633), _V(1, 0, 0),
                          float(45 * kDeg)};
    host::Vessel vessel;

    explicit DeclaredVessel(const std::string &name)
    {
        vessel.name = name;
        vessel.className = "TESTCLASS";
        vessel.size = 7;
        vessel.touchdown[0] = _V(0, -1.87, 1);
        vessel.touchdown[1] = _V(-1.6, -1.87, -1);
        vessel.touchdown[2] = _V(1.6, -1.87, -1);
        for (const MGROUP_TRANSFORM *record : {&wheel, &lever}) {
            host::AnimationComponent c;
            c.animation = UINT(vessel.animations.size());
            c.transform = record;
            vessel.components.push_back(c);
            vessel.animations.push_back({});
        }
    }
};

class PictureTest : public testing_support::HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        folder_ = WorkDir();
        sim.SetRoot(folder_.string());
    }
    std::string PathOf(const std::string &name) const { return (folder_ / name).string(); }
    // Drawn through the writer, as a run draws it.
    static void Draw(const std::vector<const host::Vessel *> &vessels, const std::string &path)
    {
        output::OutputFile file(path);
        vesselhost::RenderPicture(vessels, file);
        file.Commit();
    }

    fs::path folder_;
};

// The picture as read back, with counts of pixels of a kind per panel.
struct ReadPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB

    explicit ReadPicture(const std::string &path)
    {
        cairo_surface_t *s = cairo_image_surface_create_from_png(path.c_str());
        EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS) << path;
        if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
            width = cairo_image_surface_get_width(s);
            height = cairo_image_surface_get_height(s);
            int stride = cairo_image_surface_get_stride(s);
            const unsigned char *data = cairo_image_surface_get_data(s);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    pixels.push_back(
                        reinterpret_cast<const std::uint32_t *>(data + y * stride)[x] & 0xFFFFFF);
        }
        cairo_surface_destroy(s);
    }

    // Pixels between rows y0 and y1 whose colour passes `kind`.
    template <class Kind> int Count(int y0, int y1, Kind kind) const
    {
        int n = 0;
        for (int y = y0; y < y1 && y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint32_t p = pixels[std::size_t(y) * width + x];
                n += kind(int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF));
            }
        return n;
    }
};

// The placeholder's moving parts are orange; the test mesh below is pure green.
bool Orange(int r, int g, int b) { return r > 120 && r > g + 40 && g > b + 20; }
bool Green(int r, int g, int b) { return g > 100 && g > r + 60 && g > b + 60; }

// Rows of the top view and of the side view (the upper and lower half of the picture).
constexpr int kTopRows[2] = {0, vesselhost::kPictureHeight / 2 + 70};
constexpr int kSideRows[2] = {vesselhost::kPictureHeight / 2 + 90, vesselhost::kPictureHeight};

TEST_F(PictureTest, WritesAPngOfThePictureSizeWithThePlaceholderInBothViews)
{
    DeclaredVessel v("V1");
    std::string path = PathOf("two.png");
    Draw({&v.vessel}, path);
    ReadPicture picture(path);
    EXPECT_EQ(picture.width, vesselhost::kPictureWidth);
    EXPECT_EQ(picture.height, vesselhost::kPictureHeight);
    EXPECT_GT(picture.Count(kTopRows[0], kTopRows[1], Orange), 50);
    EXPECT_GT(picture.Count(kSideRows[0], kSideRows[1], Orange), 50);
}

// A flat green slab 4 m across (x) and 6 m long (z), as the vessel's own mesh.
constexpr char kSlab[] = "MSHX1\nGROUPS 1\nMATERIAL 1\nGEOM 4 2\n"
                         "-2 -1 -3\n2 -1 -3\n2 -1 3\n-2 -1 3\n0 1 2\n0 2 3\n"
                         "MATERIALS 1\nGreen\nMATERIAL Green\n"
                         "0 1 0 1\n0 1 0 1\n0 0 0 1\n0 0 0 1\n";

void GiveSlab(host::Vessel &vessel)
{
    host::MeshSlot slot;
    slot.mesh = oapiLoadMeshGlobal("Slab");
    vessel.meshes.push_back(slot);
}

// Where pixels of a kind lie in the top view.
struct Extent {
    int x0 = 1 << 30, x1 = -1, y0 = 1 << 30, y1 = -1;
    double Aspect() const { return double(x1 - x0) / double(y1 - y0); }
};

template <class Kind> Extent ExtentOf(const ReadPicture &picture, Kind kind, int xFrom = 0)
{
    Extent e;
    for (int y = kTopRows[0]; y < kTopRows[1]; ++y)
        for (int x = xFrom; x < picture.width; ++x) {
            std::uint32_t p = picture.pixels[std::size_t(y) * picture.width + x];
            if (kind(int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF))) {
                e.x0 = std::min(e.x0, x), e.x1 = std::max(e.x1, x);
                e.y0 = std::min(e.y0, y), e.y1 = std::max(e.y1, y);
            }
        }
    return e;
}

class OwnMeshPicture : public PictureTest {
protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        fs::create_directories(folder_ / "Meshes");
        std::ofstream(folder_ / "Meshes/Slab.msh") << kSlab;
    }
};

TEST_F(OwnMeshPicture, VesselsOwnMeshIsDrawnInsteadOfThePlaceholder)
{
    DeclaredVessel v("V1");
    GiveSlab(v.vessel);
    ASSERT_TRUE(sim.MeshErrors().empty());
    Draw({&v.vessel}, PathOf("own.png"));
    ReadPicture picture(PathOf("own.png"));
    EXPECT_GT(picture.Count(kTopRows[0], kTopRows[1], Green), 1000);
    EXPECT_EQ(picture.Count(0, picture.height, Orange), 0);
}

TEST_F(OwnMeshPicture, TopViewRunsZAcrossAndTurnsWithTheHeading)
{
    DeclaredVessel v("V1");
    GiveSlab(v.vessel);
    Draw({&v.vessel}, PathOf("ahead.png"));
    EXPECT_NEAR(ExtentOf(ReadPicture(PathOf("ahead.png")), Green).Aspect(), 6.0 / 4, 0.05);
    v.vessel.motion.heading = 90 * kDeg;
    Draw({&v.vessel}, PathOf("turned.png"));
    EXPECT_NEAR(ExtentOf(ReadPicture(PathOf("turned.png")), Green).Aspect(), 4.0 / 6, 0.05);
}

TEST_F(OwnMeshPicture, VesselsStandAtTheirGroundPositions)
{
    // B stands 20 m along z (to the right) and 10 m along x (downward) from A.
    DeclaredVessel a("A"), b("B");
    GiveSlab(a.vessel);
    GiveSlab(b.vessel);
    b.vessel.motion.x = 10;
    b.vessel.motion.z = 20;
    Draw({&a.vessel, &b.vessel}, PathOf("two.png"));
    ReadPicture picture(PathOf("two.png"));
    Extent both = ExtentOf(picture, Green);
    EXPECT_NEAR(both.Aspect(), 26.0 / 14, 0.05);
    Extent right = ExtentOf(picture, Green, (both.x0 + both.x1) / 2);
    EXPECT_EQ(right.y1, both.y1) << "the vessel to the right must be the lower one";
    EXPECT_GT(right.y0, both.y0);
}

TEST_F(PictureTest, EmptyMeshOfTheVesselFallsBackToThePlaceholder)
{
    DeclaredVessel v("V1");
    host::MeshSlot slot;
    slot.mesh = oapiLoadMeshGlobal("NoSuchMesh");
    v.vessel.meshes.push_back(slot);
    std::string path = PathOf("fallback.png");
    Draw({&v.vessel}, path);
    EXPECT_GT(ReadPicture(path).Count(kTopRows[0], kTopRows[1], Orange), 50);
}

TEST_F(PictureTest, UnwritablePathIsAnErrorNamingItAndLeavesNothingBehind)
{
    DeclaredVessel v("V1");
    std::string path = PathOf("no/such/folder/picture.png");
    try {
        Draw({&v.vessel}, path);
        FAIL() << "no error";
    } catch (const output::OutputError &e) {
        EXPECT_EQ(std::string(e.what()).rfind(path + ": cannot be created", 0), 0u) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder_ / "no"));
}

TEST_F(PictureTest, FailedWriteKeepsWhatStoodAtThePath)
{
    // A folder where the picture should go: the finished picture cannot take its place.
    DeclaredVessel v("V1");
    fs::create_directories(folder_ / "taken.png" / "inside");
    EXPECT_THROW(Draw({&v.vessel}, PathOf("taken.png")), output::OutputError);
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.png" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(PictureTest, VesselAtANonFinitePlaceIsAnError)
{
    DeclaredVessel v("V1");
    v.vessel.motion.x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(Draw({&v.vessel}, PathOf("nan.png")), host::Error);
    EXPECT_FALSE(fs::exists(PathOf("nan.png")));
}

} // namespace
