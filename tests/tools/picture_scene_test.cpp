// The scene a picture is drawn from: vessels placed on the ground by position and
// heading with their touchdown plane on it, and only outlines and creases marked for
// drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"
#include "tools/vesselhost/picture_scene.h"

namespace {

using testing_support::kDeg;

host::Vessel Hull(const std::string &name)
{
    host::Vessel v;
    v.name = name;
    v.size = 4;
    v.touchdown[0] = _V(0, -1.5, 2);
    v.touchdown[1] = _V(-1, -1.5, -2);
    v.touchdown[2] = _V(1, -1.5, -2);
    return v;
}

TEST(PictureScene, TouchdownPlaneRestsOnTheGroundAtTheVesselsPosition)
{
    host::Vessel v = Hull("V");
    v.motion.x = 10;
    v.motion.z = -20;
    vesselhost::Scene scene = vesselhost::BuildScene({&v});
    ASSERT_EQ(scene.marks.size(), 1u);
    const vesselhost::Bounds &b = scene.marks[0].bounds;
    // The placeholder hull spans x -1..1 and z -2..2 about the vessel, above the ground.
    EXPECT_NEAR(b.lo.x, 9, 1e-12);
    EXPECT_NEAR(b.hi.x, 11, 1e-12);
    EXPECT_NEAR(b.lo.z, -22, 1e-12);
    EXPECT_NEAR(b.hi.z, -18, 1e-12);
    EXPECT_GT(b.lo.y, 0);
    EXPECT_EQ(scene.marks[0].name, "V");
    EXPECT_NEAR(scene.marks[0].position.x, 10, 1e-12);
    EXPECT_NEAR(scene.marks[0].position.y, 0, 1e-12);
}

TEST(PictureScene, HeadingTurnsClockwiseSeenFromAbove)
{
    // At 90 degrees the vessel's front (+z) points along the ground's +x, its right
    // side (+x) along -z.
    host::Vessel v = Hull("V");
    v.motion.heading = 90 * kDeg;
    vesselhost::Scene scene = vesselhost::BuildScene({&v});
    const vesselhost::VesselMark &mark = scene.marks[0];
    EXPECT_NEAR(mark.forward.x, 1, 1e-12);
    EXPECT_NEAR(mark.forward.z, 0, 1e-12);
    EXPECT_NEAR(mark.bounds.lo.x, -2, 1e-12);
    EXPECT_NEAR(mark.bounds.hi.x, 2, 1e-12);
    EXPECT_NEAR(mark.bounds.hi.z, 1, 1e-12);
}

TEST(PictureScene, OnlyOutlinesAndCreasesAreMarked)
{
    host::Vessel v = Hull("V");
    vesselhost::Scene scene = vesselhost::BuildScene({&v});
    // The hull box: 12 triangles; each face's diagonal is shared by two triangles of
    // one surface, every other edge is a crease of the box.
    ASSERT_EQ(scene.faces.size(), 12u);
    int outlined = 0, hidden = 0;
    for (const auto &face : scene.faces)
        for (bool edge : face.outline)
            (edge ? outlined : hidden) += 1;
    EXPECT_EQ(hidden, 12);
    EXPECT_EQ(outlined, 24);
}

TEST(PictureScene, GroupsStandAsTheirAnimationsTurnThem)
{
    // An arm out in front of the hull that a quarter turn about x swings from reaching
    // forward to standing across the ground.
    static const UINT kArm[] = {1};
    MGROUP_ROTATION swing{0, kArm, 1, _V(0, 0, 5), _V(1, 0, 0), float(90 * kDeg)};
    host::Vessel v = Hull("V");
    v.animations.push_back({});
    host::AnimationComponent c;
    c.transform = &swing;
    v.components.push_back(c);
    double reach = 0.08 * v.size; // the placeholder's arm length for this size
    double forwardAtRest = vesselhost::BuildScene({&v}).marks[0].bounds.hi.z;
    EXPECT_NEAR(forwardAtRest, 5 + reach, 1e-9);
    v.animations[0].state = 1;
    double forwardTurned = vesselhost::BuildScene({&v}).marks[0].bounds.hi.z;
    EXPECT_NEAR(forwardTurned, 5 + 0.02 * v.size / 2, 1e-9); // only its thickness ahead
}

TEST(PictureScene, VesselsKeepTheirOrderAndNames)
{
    host::Vessel a = Hull("A"), b = Hull("B");
    vesselhost::Scene scene = vesselhost::BuildScene({&a, &b});
    ASSERT_EQ(scene.marks.size(), 2u);
    EXPECT_EQ(scene.marks[0].name, "A");
    EXPECT_EQ(scene.marks[1].name, "B");
    EXPECT_EQ(scene.faces.size(), 24u);
}

} // namespace

TEST(PictureScene, AVesselTooSmallToShowItsShapeIsAFootprintOnly)
{
    // Size 4 m spans 8 m: at the scale where that is exactly kDetailPixels, the vessel
    // keeps its shape; one a little smaller does not.
    const double scale = vesselhost::kDetailPixels / 8;
    host::Vessel a = Hull("A"), b = Hull("B");
    b.motion.x = 100;
    b.size = 3.99;
    vesselhost::Scene scene = vesselhost::BuildScene({&a, &b}, scale);
    ASSERT_EQ(scene.marks.size(), 2u);
    EXPECT_FALSE(scene.marks[0].footprint);
    EXPECT_TRUE(scene.marks[1].footprint);
    const std::size_t facesOfA = scene.faces.size();
    EXPECT_GT(facesOfA, 0u);
    EXPECT_EQ(vesselhost::BuildScene({&a}, scale).faces.size(), facesOfA);
    EXPECT_NEAR(scene.marks[1].bounds.lo.x, 100 - 3.99, 1e-12);
    EXPECT_NEAR(scene.marks[1].bounds.hi.z, 3.99, 1e-12);
}
