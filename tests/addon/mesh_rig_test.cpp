// The built meshes against the rigs that the modules really create, posed by the host:
// every group a rig turns exists and is the part it should be, placed where the rig
// turns it; the vehicle stands on its wheels; faces point outward.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "host/mesh/mesh.h"
#include "host/vessel/pose.h"
#include "host/vessel/pose_cache.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostTest;

constexpr double kPi = 3.14159265358979323846;

VECTOR3 Sub(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
double Dot(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
VECTOR3 Cross(const VECTOR3 &a, const VECTOR3 &b)
{
    return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
VECTOR3 Unit(const VECTOR3 &a)
{
    double l = std::sqrt(Dot(a, a));
    return _V(a.x / l, a.y / l, a.z / l);
}

// Distance of `p` from the line through `point` along `axis`.
double FromLine(const VECTOR3 &p, const VECTOR3 &point, const VECTOR3 &axis)
{
    VECTOR3 c = Cross(Sub(p, point), Unit(axis));
    return std::sqrt(Dot(c, c));
}

// What a component of the rig moves, told from its own row.
enum class Kind { Wheel, Lever, Latch, Door, TurnsOnRoof, Cannon };

Kind KindOf(const host::AnimationComponent &c, const MGROUP_ROTATION &r)
{
    if (c.parent >= 0)
        return Kind::Cannon;
    if (c.state1 == 0.5)
        return Kind::Latch;
    if (c.state0 == 0.5)
        return Kind::Door;
    if (r.axis.y != 0 && r.axis.x == 0)
        return Kind::TurnsOnRoof;
    return std::abs(r.angle) > kPi ? Kind::Wheel : Kind::Lever;
}

class MeshRigTest : public HostTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        vessel = &Create("V", GetParam());
        mesh = sim.MeshOf(vessel->meshes.at(0).mesh);
        ASSERT_NE(mesh, nullptr);
        ASSERT_FALSE(mesh->file.empty()) << "no mesh file for " << GetParam();
        ground = vessel->touchdown[0].y;
    }

    const MGROUP_ROTATION &Record(std::size_t c) const
    {
        return *host::RotationRecordOf(vessel->components[c]);
    }

    std::vector<std::size_t> ComponentsOf(Kind kind) const
    {
        std::vector<std::size_t> found;
        for (std::size_t c = 0; c < vessel->components.size(); ++c)
            if (KindOf(vessel->components[c], Record(c)) == kind)
                found.push_back(c);
        return found;
    }

    void SetAll(double state)
    {
        for (auto &a : vessel->animations)
            a.state = state;
    }

    // The component's groups' points as the host poses them at the current states.
    std::vector<VECTOR3> Points(std::size_t c) const
    {
        const MGROUP_ROTATION &r = Record(c);
        auto poses = host::PoseGroups(*vessel, 0);
        std::vector<VECTOR3> points;
        for (UINT i = 0; i < r.groupCount; ++i) {
            UINT g = r.groupIndices[i];
            for (const auto &v : mesh->groups.at(g).vertices)
                points.push_back(poses.contains(g) ? poses.at(g).Apply(v.position) : v.position);
        }
        return points;
    }

    static double Lowest(const std::vector<VECTOR3> &points)
    {
        double y = 1e9;
        for (const auto &p : points)
            y = std::min(y, p.y);
        return y;
    }
    static double Nearest(const std::vector<VECTOR3> &points, const MGROUP_ROTATION &r)
    {
        double d = 1e9;
        for (const auto &p : points)
            d = std::min(d, FromLine(p, r.referencePoint, r.axis));
        return d;
    }
    // Centre of the points' bounding box.
    static VECTOR3 Middle(const std::vector<VECTOR3> &points)
    {
        VECTOR3 lo = _V(1e9, 1e9, 1e9), hi = _V(-1e9, -1e9, -1e9);
        for (const auto &p : points)
            for (int k = 0; k < 3; ++k) {
                lo.data[k] = std::min(lo.data[k], p.data[k]);
                hi.data[k] = std::max(hi.data[k], p.data[k]);
            }
        return _V((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2);
    }

    host::Vessel *vessel = nullptr;
    const host::Mesh *mesh = nullptr;
    double ground = 0;
};

TEST_P(MeshRigTest, EveryGroupIsAClosedSolidWithOutwardFacesAndEveryRigGroupExists)
{
    for (std::size_t c = 0; c < vessel->components.size(); ++c)
        for (UINT i = 0; i < Record(c).groupCount; ++i)
            EXPECT_LT(Record(c).groupIndices[i], mesh->groups.size()) << "component " << c;
    for (std::size_t g = 0; g < mesh->groups.size(); ++g) {
        const host::MeshGroup &group = mesh->groups[g];
        ASSERT_FALSE(group.triangles.empty()) << "group " << g << " is empty";
        EXPECT_GE(group.material, 1u) << "group " << g;
        // Six times the enclosed volume: positive when the faces point out.
        double volume = 0;
        for (const auto &t : group.triangles) {
            const auto &a = group.vertices[t[0]], &b = group.vertices[t[1]],
                       &c = group.vertices[t[2]];
            ASSERT_TRUE(a.normal && a.uv) << "group " << g << " vertex without normal or uv";
            VECTOR3 face = Cross(Sub(b.position, a.position), Sub(c.position, a.position));
            for (const auto *v : {&a, &b, &c})
                ASSERT_GT(Dot(face, *v->normal), 0)
                    << "group " << g << " (" << group.label << "): winding against its normals";
            volume += Dot(a.position, Cross(b.position, c.position));
        }
        EXPECT_GT(volume, 0) << "group " << g << " (" << group.label << ") faces inward";
    }
}

TEST_P(MeshRigTest, WheelsTurnOnTheirHubsAndTheVehicleStandsOnThem)
{
    auto wheels = ComponentsOf(Kind::Wheel);
    ASSERT_EQ(wheels.size(), 24u); // six a side, forward and reverse
    std::set<UINT> groups;
    for (std::size_t c : wheels) {
        groups.insert(Record(c).groupIndices[0]);
        SetAll(0);
        VECTOR3 hub = Middle(Points(c));
        EXPECT_LT(FromLine(hub, Record(c).referencePoint, Record(c).axis), 0.01)
            << "wheel group " << Record(c).groupIndices[0] << " off its axle";
        for (double state : {0.0, 0.25, 0.5, 1.0}) {
            SetAll(state);
            EXPECT_NEAR(Lowest(Points(c)), ground, 0.05)
                << "wheel group " << Record(c).groupIndices[0] << " at state " << state;
        }
    }
    EXPECT_EQ(groups.size(), 12u);
    SetAll(0);
    for (const auto &group : mesh->groups)
        for (const auto &v : group.vertices)
            ASSERT_GE(v.position.y, ground - 0.001) << group.label << " below the ground";
}

TEST_P(MeshRigTest, LeversAndLatchesSitOnTheirPivots)
{
    auto levers = ComponentsOf(Kind::Lever), latches = ComponentsOf(Kind::Latch);
    ASSERT_EQ(levers.size(), 4u);
    ASSERT_EQ(latches.size(), 2u);
    SetAll(0);
    for (std::size_t c : levers)
        EXPECT_LT(Nearest(Points(c), Record(c)), 0.03) << "lever component " << c;
    for (std::size_t c : latches)
        EXPECT_LT(Nearest(Points(c), Record(c)), 0.04) << "latch component " << c;
    // At rest (state 0.5) a lever stands upright: its top right above its pivot.
    SetAll(0.5);
    for (std::size_t c : levers) {
        auto points = Points(c);
        auto top = *std::max_element(points.begin(), points.end(),
                                     [](const VECTOR3 &a, const VECTOR3 &b) { return a.y < b.y; });
        EXPECT_NEAR(top.z, Record(c).referencePoint.z, 0.05) << "lever component " << c;
    }
}

TEST_P(MeshRigTest, DoorLeavesTurnAboutTheirHingesToOutsideTheHull)
{
    auto doors = ComponentsOf(Kind::Door);
    ASSERT_EQ(doors.size(), 2u);
    for (std::size_t c : doors) {
        const MGROUP_ROTATION &r = Record(c);
        // The rear face: the plane of the hinge line and the x axis, its outside away
        // from the vessel's centre.
        VECTOR3 out = Unit(Cross(_V(1, 0, 0), r.axis));
        if (Dot(out, r.referencePoint) < 0)
            out = _V(-out.x, -out.y, -out.z);
        SetAll(0);
        auto closed = Points(c);
        EXPECT_LT(Nearest(closed, r), 0.01) << "door component " << c << " not on its hinge";
        for (const auto &p : closed)
            EXPECT_LT(std::abs(Dot(Sub(p, r.referencePoint), out)), 0.08)
                << "closed door component " << c << " away from the rear face";
        SetAll(1);
        for (const auto &p : Points(c))
            ASSERT_GT(Dot(Sub(p, r.referencePoint), out), -0.001)
                << "open door component " << c << " inside the hull";
    }
}

TEST_P(MeshRigTest, RoofMountsTurnInPlaceAndTheTurretCarriesItsCannon)
{
    auto mounts = ComponentsOf(Kind::TurnsOnRoof);
    ASSERT_EQ(mounts.size(), GetParam() == "VARLOK1" ? 0u : 1u);
    SetAll(0);
    for (std::size_t c : mounts) {
        const MGROUP_ROTATION &r = Record(c);
        EXPECT_LT(FromLine(Middle(Points(c)), r.referencePoint, r.axis), 0.01);
        EXPECT_NEAR(Lowest(Points(c)), r.referencePoint.y, 0.2) << "mount not on the roof";
    }
    auto cannons = ComponentsOf(Kind::Cannon);
    if (cannons.empty())
        return;
    std::size_t cannon = cannons.at(0), turret = mounts.at(0);
    const MGROUP_ROTATION &pitch = Record(cannon);
    auto rest = Points(cannon);
    EXPECT_LT(Nearest(rest, pitch), 0.05) << "cannon not on its trunnion";
    auto reach = [&](const std::vector<VECTOR3> &points, int axis) {
        double far = -1e9;
        for (const auto &p : points)
            far = std::max(far, p.data[axis] - pitch.referencePoint.data[axis]);
        return far;
    };
    EXPECT_GT(reach(rest, 2), 2.0) << "barrel not forward at rest";
    vessel->animations[vessel->components[cannon].animation].state = 1;
    EXPECT_GT(reach(Points(cannon), 1), 2.0) << "barrel not upright when raised";
    // A quarter turn of the turret carries the lowered barrel a quarter turn about the
    // turret's axis.
    vessel->animations[vessel->components[cannon].animation].state = 0;
    vessel->animations[vessel->components[turret].animation].state = 0.25;
    auto turn =
        host::RigidTransform::Rotation(Record(turret).referencePoint, Record(turret).axis, kPi / 2);
    auto carried = Points(cannon);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        VECTOR3 expected = turn.Apply(rest[i]);
        ASSERT_LT(std::sqrt(Dot(Sub(carried[i], expected), Sub(carried[i], expected))), 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, MeshRigTest, ::testing::ValuesIn(testing_support::kClasses));

} // namespace
