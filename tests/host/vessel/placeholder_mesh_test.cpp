// The placeholder mesh built from what a vessel declared: group indices as its
// components name them, solids at their components' reference points, wheels on the
// ground about their axles, the hull over the touchdown points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/vessel/placeholder_mesh.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::kDeg;
constexpr double kGroundY = -1.87;

// Group tables as a module keeps them: constant, outliving the records.
const UINT kRightWheel[] = {97};
const UINT kLatch[] = {44, 140};
const UINT kDoor[] = {19, 44};
const UINT kLever[] = {5};
const UINT kOtherMesh[] = {3};
const UINT kTurretGroup[] = {2};

// A vessel declared as the shipped vehicles are, with a few of their components.
struct DeclaredVessel {
    MGROUP_ROTATION wheel{0,           kRightWheel,      1, _V(1.262, -1.341, 2.068),
                          _V(1, 0, 0), float(360 * kDeg)};
    // The same wheel's reverse component, with its reference point on the other side.
    MGROUP_ROTATION wheelReverse{0,           kRightWheel,       1, _V(-1.262, -1.341, 2.068),
                                 _V(1, 0, 0), float(-360 * kDeg)};
    MGROUP_ROTATION latch{
        0, kLatch, 2, _V(-0.048, 0.416, -3.211), _V(0, -0.25, 0.967), float(90 * kDeg)};
    MGROUP_ROTATION door{
        0, kDoor, 2, _V(-0.416, 0.456, -3.21), _V(0, 0.96, 0.25), float(170 * kDeg)};
    MGROUP_ROTATION lever{0, kLever, 1, _V(-0.707, -0.83, 2.633), _V(1, 0, 0), float(45 * kDeg)};
    // A full turn about a vertical axis is a turret, not a wheel.
    MGROUP_ROTATION turret{0,           kTurretGroup,     1, _V(-0.64, 1.243, -0.096),
                           _V(0, 1, 0), float(360 * kDeg)};
    MGROUP_ROTATION onOtherMesh{1, kOtherMesh, 1, _V(0, 0, 0), _V(1, 0, 0), 1.0f};
    MGROUP_TRANSFORM notARotation;
    host::Vessel vessel;

    DeclaredVessel()
    {
        vessel.className = "TESTCLASS";
        vessel.size = 7;
        vessel.touchdown[0] = _V(0, kGroundY, 1);
        vessel.touchdown[1] = _V(-1.6, kGroundY, -1);
        vessel.touchdown[2] = _V(1.6, kGroundY, -1);
        const MGROUP_TRANSFORM *records[] = {&latch,  &wheel,        &door,        &lever,
                                             &turret, &wheelReverse, &onOtherMesh, &notARotation};
        for (const MGROUP_TRANSFORM *record : records) {
            host::AnimationComponent c;
            c.animation = UINT(vessel.components.size());
            c.transform = record;
            vessel.components.push_back(c);
        }
    }
};

struct Box {
    VECTOR3 lo{}, hi{};
    bool Contains(const VECTOR3 &p, double tolerance = 1e-9) const
    {
        return p.x >= lo.x - tolerance && p.x <= hi.x + tolerance && p.y >= lo.y - tolerance &&
               p.y <= hi.y + tolerance && p.z >= lo.z - tolerance && p.z <= hi.z + tolerance;
    }
};

Box BoundsOf(const host::MeshGroup &group)
{
    Box box{group.vertices.at(0).position, group.vertices.at(0).position};
    for (const auto &v : group.vertices)
        for (int i = 0; i < 3; ++i) {
            box.lo.data[i] = std::min(box.lo.data[i], v.position.data[i]);
            box.hi.data[i] = std::max(box.hi.data[i], v.position.data[i]);
        }
    return box;
}

TEST(PlaceholderMesh, GroupIndicesAreTheOnesTheComponentsName)
{
    DeclaredVessel d;
    host::Mesh mesh = host::BuildPlaceholderMesh(d.vessel);
    ASSERT_EQ(mesh.groups.size(), 141u); // up to group 140, named by the latch
    for (UINT named : {97u, 44u, 140u, 19u, 5u, 2u}) {
        SCOPED_TRACE("group " + std::to_string(named));
        EXPECT_FALSE(mesh.groups[named].vertices.empty());
        EXPECT_FALSE(mesh.groups[named].label.empty());
    }
    // Group 3 is named only on another mesh; it and the other unnamed groups past the
    // hull stay empty.
    for (std::size_t g = 1; g < mesh.groups.size(); ++g) {
        bool named = g == 97 || g == 44 || g == 140 || g == 19 || g == 5 || g == 2;
        if (!named) {
            EXPECT_TRUE(mesh.groups[g].vertices.empty()) << "group " << g;
        }
    }
}

TEST(PlaceholderMesh, HullTakesTheFirstUnnamedGroupAndSpansTouchdownPointsAndSize)
{
    DeclaredVessel d;
    host::Mesh mesh = host::BuildPlaceholderMesh(d.vessel);
    const host::MeshGroup &hull = mesh.groups[0];
    EXPECT_EQ(hull.label, "hull");
    ASSERT_EQ(hull.material, 1u);
    EXPECT_LT(mesh.materials[0].diffuse[3], 1.0) << "the hull must let the parts show through";
    Box box = BoundsOf(hull);
    EXPECT_DOUBLE_EQ(box.lo.x, -1.6);
    EXPECT_DOUBLE_EQ(box.hi.x, 1.6);
    EXPECT_DOUBLE_EQ(box.lo.z, -3.5);
    EXPECT_DOUBLE_EQ(box.hi.z, 3.5);
    EXPECT_GT(box.lo.y, kGroundY);
    EXPECT_GT(box.hi.y, box.lo.y);
}

TEST(PlaceholderMesh, HullGoesPastTheNamedGroupsWhenEveryIndexIsTaken)
{
    static const UINT kFirstTwo[] = {0, 1};
    MGROUP_ROTATION both{0, kFirstTwo, 2, _V(0, 0, 0), _V(0, 1, 0), 1.0f};
    host::Vessel vessel;
    vessel.size = 4;
    host::AnimationComponent c;
    c.transform = &both;
    vessel.components.push_back(c);
    host::Mesh mesh = host::BuildPlaceholderMesh(vessel);
    ASSERT_EQ(mesh.groups.size(), 3u);
    EXPECT_EQ(mesh.groups[2].label, "hull");
}

TEST(PlaceholderMesh, WheelIsADiscAboutItsAxleRestingOnTheGround)
{
    DeclaredVessel d;
    host::Mesh mesh = host::BuildPlaceholderMesh(d.vessel);
    const host::MeshGroup &wheel = mesh.groups[97];
    EXPECT_EQ(wheel.material, 2u);
    // Placed by the forward component (the first to name the group), not by the reverse
    // one whose reference point lies on the other side.
    const VECTOR3 axle = d.wheel.referencePoint;
    double radius = axle.y - kGroundY;
    double farthest = 0;
    for (const auto &v : wheel.vertices) {
        double dy = v.position.y - axle.y, dz = v.position.z - axle.z;
        farthest = std::max(farthest, std::hypot(dy, dz));
        EXPECT_LT(std::abs(v.position.x - axle.x), 0.3) << "vertex off the axle's wheel plane";
    }
    EXPECT_NEAR(farthest, radius, 1e-9);
    EXPECT_NEAR(BoundsOf(wheel).lo.y, kGroundY, 1e-9);
}

TEST(PlaceholderMesh, MovingPartsReachOutFromTheFirstNamingComponentsReferencePoint)
{
    DeclaredVessel d;
    host::Mesh mesh = host::BuildPlaceholderMesh(d.vessel);
    struct Expected {
        UINT group;
        const MGROUP_ROTATION *placedBy;
    };
    // Group 44 is named by the latch and then the door: the latch places it.
    const Expected expected[] = {
        {44, &d.latch}, {140, &d.latch}, {19, &d.door}, {5, &d.lever}, {2, &d.turret}};
    for (const Expected &e : expected) {
        SCOPED_TRACE("group " + std::to_string(e.group));
        const host::MeshGroup &group = mesh.groups[e.group];
        EXPECT_EQ(group.material, 3u);
        Box box = BoundsOf(group);
        EXPECT_TRUE(box.Contains(e.placedBy->referencePoint));
        // Small beside the hull, and reaching away from its axis so that a turn shows.
        EXPECT_LT(box.hi.x - box.lo.x + box.hi.y - box.lo.y + box.hi.z - box.lo.z, 1.5);
        VECTOR3 axis = e.placedBy->axis;
        double n = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
        double farthest = 0;
        for (const auto &v : group.vertices) {
            VECTOR3 r = _V(v.position.x - e.placedBy->referencePoint.x,
                           v.position.y - e.placedBy->referencePoint.y,
                           v.position.z - e.placedBy->referencePoint.z);
            double along = (r.x * axis.x + r.y * axis.y + r.z * axis.z) / n;
            farthest =
                std::max(farthest, std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z - along * along));
        }
        EXPECT_GT(farthest, 0.4);
    }
}

TEST(PlaceholderMesh, EveryTriangleIndexesItsOwnGroup)
{
    DeclaredVessel d;
    host::Mesh mesh = host::BuildPlaceholderMesh(d.vessel);
    for (const auto &group : mesh.groups)
        for (const auto &t : group.triangles)
            for (std::uint32_t i : t)
                ASSERT_LT(i, group.vertices.size());
}

TEST(PlaceholderMesh, VesselWithoutComponentsIsAHullAlone)
{
    host::Vessel vessel;
    vessel.size = 7;
    host::Mesh mesh = host::BuildPlaceholderMesh(vessel);
    ASSERT_EQ(mesh.groups.size(), 1u);
    EXPECT_EQ(mesh.groups[0].label, "hull");
    EXPECT_EQ(mesh.groups[0].triangles.size(), 12u);
}

} // namespace

// --- the shipped vehicles, as their modules declare them ----------------------------------

class ShippedPlaceholder : public testing_support::HostTest {};

TEST_F(ShippedPlaceholder, EveryNamedGroupStandsAtItsFirstComponentsReferencePoint)
{
    for (const std::string &className : testing_support::kClasses) {
        SCOPED_TRACE(className);
        host::Vessel &v = Create(className + "-1", className);
        host::Mesh mesh = host::BuildPlaceholderMesh(v);
        std::vector<const MGROUP_ROTATION *> firstNaming(mesh.groups.size(), nullptr);
        for (const auto &c : v.components) {
            ASSERT_EQ(c.transform->Type(), MGROUP_TRANSFORM::ROTATE);
            auto *r = static_cast<const MGROUP_ROTATION *>(c.transform);
            for (UINT i = 0; i < r->groupCount; ++i) {
                ASSERT_LT(r->groupIndices[i], mesh.groups.size());
                if (!firstNaming[r->groupIndices[i]])
                    firstNaming[r->groupIndices[i]] = r;
            }
        }
        int wheels = 0, hulls = 0;
        for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
            const host::MeshGroup &group = mesh.groups[g];
            if (!firstNaming[g]) {
                hulls += group.label == "hull";
                EXPECT_TRUE(group.label == "hull" || group.vertices.empty()) << "group " << g;
                continue;
            }
            wheels += group.material == 2;
            EXPECT_TRUE(BoundsOf(group).Contains(firstNaming[g]->referencePoint, 1e-9))
                << "group " << g;
        }
        EXPECT_EQ(hulls, 1);
        EXPECT_EQ(wheels, 12);
    }
}

TEST_F(ShippedPlaceholder, ArmedVehiclesCannonTakesGroupZeroSoTheHullTakesGroupOne)
{
    host::Vessel &v = Create("V3", "VARLOK3C");
    host::Mesh mesh = host::BuildPlaceholderMesh(v);
    EXPECT_EQ(mesh.groups[1].label, "hull");
    const VECTOR3 pivot = _V(-0.64, 1.243, -0.096);
    EXPECT_TRUE(BoundsOf(mesh.groups[0]).Contains(pivot));  // the cannon
    EXPECT_TRUE(BoundsOf(mesh.groups[96]).Contains(pivot)); // the cannon
    EXPECT_TRUE(BoundsOf(mesh.groups[44]).Contains(pivot)); // the turret
}
