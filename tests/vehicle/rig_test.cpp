// The animation rig as the host sees it while a vehicle is constructed: animations and
// their components in table order with their exact values, records shared by every
// vehicle of a module, and VARLOK3C's cannon record of its own chained to the turret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostTest;
using testing_support::Number;

using Groups = std::vector<UINT>;

struct ExpectedAnimation {
    double state0, state1;
    std::vector<Groups> components; // group lists, in adding order
    float angle;                    // every component of the animation turns this far
};

// Stored angles: degrees times 0.017453292519943278, narrowed to single precision.
constexpr float k45 = 0.78539819f, k90 = 1.5707964f, k170 = 2.9670596f, k360 = 6.2831855f;

const std::vector<ExpectedAnimation> kVarlok1 = {
    {0, 0.5, {{44, 140, 142}}, k90},
    {0, 0.5, {{43, 141, 139}}, k90},
    {0, 1, {{110, 6}}, k45},
    {0, 1, {{5, 109}}, k45},
    {0, 1, {{111, 7}}, k45},
    {0, 1, {{8, 112}}, k45},
    {0.5, 1, {{19, 129, 131, 140, 142, 44}}, k170},
    {0.5, 1, {{20, 132, 130, 43, 139, 141}}, -k170},
    {0, 1, {{97}, {96}, {95}, {94}, {93}, {92}}, k360},
    {0, 1, {{98}, {99}, {100}, {101}, {102}, {103}}, k360},
    {0, 1, {{97}, {96}, {95}, {94}, {93}, {92}}, -k360},
    {0, 1, {{98}, {99}, {100}, {101}, {102}, {103}}, -k360},
};

const std::vector<ExpectedAnimation> kVarlok3c = {
    {0, 1, {{44}}, k360},
    {0, 1, {{96, 0}}, -k90},
    {0, 0.5, {{48, 145, 147}}, k90},
    {0, 0.5, {{47, 144, 146}}, k90},
    {0, 1, {{115, 7}}, k45},
    {0, 1, {{6, 114}}, k45},
    {0, 1, {{116, 8}}, k45},
    {0, 1, {{9, 117}}, k45},
    {0.5, 1, {{20, 134, 136, 145, 147, 48}}, k170},
    {0.5, 1, {{21, 135, 137, 146, 144, 47}}, -k170},
    {0, 1, {{102}, {101}, {100}, {99}, {98}, {97}}, k360},
    {0, 1, {{103}, {104}, {105}, {106}, {107}, {108}}, k360},
    {0, 1, {{102}, {101}, {100}, {99}, {98}, {97}}, -k360},
    {0, 1, {{103}, {104}, {105}, {106}, {107}, {108}}, -k360},
};

const std::vector<ExpectedAnimation> kKeldocontrol = {
    {0, 1, {{43, 44, 46, 98, 139}}, k360},
    {0, 0.5, {{50, 160, 162}}, k90},
    {0, 0.5, {{49, 161, 159}}, k90},
    {0, 1, {{117, 6}}, k45},
    {0, 1, {{5, 116}}, k45},
    {0, 1, {{118, 7}}, k45},
    {0, 1, {{8, 119}}, k45},
    {0.5, 1, {{162, 160, 149, 151, 19, 50}}, k170},
    {0.5, 1, {{161, 159, 152, 150, 20, 49}}, -k170},
    {0, 1, {{104}, {103}, {102}, {101}, {100}, {99}}, k360},
    {0, 1, {{105}, {106}, {107}, {108}, {109}, {110}}, k360},
    {0, 1, {{104}, {103}, {102}, {101}, {100}, {99}}, -k360},
    {0, 1, {{105}, {106}, {107}, {108}, {109}, {110}}, -k360},
};

const std::vector<ExpectedAnimation> &RigOf(const std::string &className)
{
    if (className == "VARLOK3C")
        return kVarlok3c;
    if (className == "KELDOCONTROL")
        return kKeldocontrol;
    return kVarlok1;
}

// One AddAnimationComponent call as the trace kept it.
struct AddedComponent {
    UINT animation;
    double state0, state1;
    host::TransformSnapshot record;
    const void *parent;
    const void *handle;
};

// The rig's calls of one vehicle: the index each CreateAnimation returned, and the
// components, in call order; anything else the vehicle called is left out.
struct RigCalls {
    std::vector<std::string> names;
    std::vector<UINT> created;
    std::vector<AddedComponent> added;
};

RigCalls RigCallsOf(const std::vector<host::TraceCall> &calls)
{
    RigCalls out;
    for (const auto &call : calls) {
        std::string name = call.call;
        if (name == "CreateAnimation") {
            EXPECT_EQ(0.0, Number(call.args.at(0))) << "initial state";
            out.created.push_back(UINT(Number(*call.ret)));
        } else if (name == "AddAnimationComponent") {
            out.added.push_back({UINT(Number(call.args.at(0))), Number(call.args.at(1)),
                                 Number(call.args.at(2)),
                                 std::get<host::TransformSnapshot>(call.args.at(3)),
                                 std::get<host::HandleValue>(call.args.at(4)).raw,
                                 std::get<host::HandleValue>(*call.ret).raw});
        } else {
            continue;
        }
        out.names.push_back(name);
    }
    return out;
}

// Each animation is created, then its components added, before the next is created.
std::vector<std::string> ExpectedNames(const std::vector<ExpectedAnimation> &rig)
{
    std::vector<std::string> names;
    for (const auto &animation : rig) {
        names.push_back("CreateAnimation");
        names.insert(names.end(), animation.components.size(), "AddAnimationComponent");
    }
    return names;
}

bool SameVector(const VECTOR3 &a, double x, double y, double z)
{
    return a.x == x && a.y == y && a.z == z;
}

class Rig : public HostTest {};

TEST_F(Rig, EveryModuleDeclaresItsTableInOrderWithExactValues)
{
    for (const auto &className : testing_support::kClasses) {
        SCOPED_TRACE(className);
        const auto &rig = RigOf(className);
        host::Vessel &v = sim.ConstructVessel(className + "-1", className);
        RigCalls calls = RigCallsOf(CallsOf(v));
        ASSERT_EQ(ExpectedNames(rig), calls.names);

        std::size_t c = 0;
        for (UINT a = 0; a < rig.size(); ++a) {
            EXPECT_EQ(a, calls.created[a]); // index = creation order
            for (const Groups &groups : rig[a].components) {
                SCOPED_TRACE("component C" + std::to_string(c + 1));
                const AddedComponent &added = calls.added[c];
                EXPECT_EQ(a, added.animation);
                EXPECT_EQ(rig[a].state0, added.state0);
                EXPECT_EQ(rig[a].state1, added.state1);
                EXPECT_EQ(MGROUP_TRANSFORM::ROTATE, added.record.kind);
                EXPECT_EQ(0u, added.record.mesh);
                EXPECT_EQ(groups, added.record.groups);
                EXPECT_EQ(rig[a].angle, added.record.angle);
                // The host keeps the very record it was handed.
                EXPECT_EQ(added.record.address, v.components[c].transform);
                ++c;
            }
        }
        EXPECT_EQ(c, v.components.size());
        EXPECT_EQ(rig.size(), v.animations.size());
    }
}

// Only the cannon hangs on another component; everything else has no parent.
TEST_F(Rig, CannonIsChainedToTheTurretComponentAndNothingElseIsChained)
{
    for (const auto &className : testing_support::kClasses) {
        SCOPED_TRACE(className);
        host::Vessel &v = Create(className + "-1", className);
        RigCalls calls = RigCallsOf(CallsOf(v));
        for (std::size_t c = 0; c < calls.added.size(); ++c) {
            bool isCannon = className == "VARLOK3C" && c == 1;
            EXPECT_EQ(isCannon ? calls.added[0].handle : nullptr, calls.added[c].parent)
                << "C" << c + 1;
            EXPECT_EQ(isCannon ? 0 : -1, v.components[c].parent) << "C" << c + 1;
        }
    }
}

// The reverse wheel rows keep their odd reference points; axes stay as listed.
TEST_F(Rig, OddRowsKeepTheirListedValues)
{
    struct Row {
        const char *className;
        std::size_t component; // C number
        double rx, ry, rz, ax, ay, az;
    };
    const Row rows[] = {
        {"VARLOK1", 1, -0.048, 0.416, -3.211, 0, -0.25, 0.967},
        {"VARLOK1", 2, 0.06, 0.416, -3.211, 0, 0.25, -0.967},
        {"VARLOK1", 4, -0.591, -0.83, 2.633, 1, 0, 0},
        {"VARLOK1", 8, 0.434, 0.456, -3.21, 0, 0.96, 0.25},
        {"VARLOK1", 14, 1.262, -1.228, -2.918, 1, 0, 0},
        {"VARLOK1", 21, -1.262, -1.341, 2.068, 1, 0, 0},
        {"VARLOK1", 22, 1.262, -1.344, 1.036, 1, 0, 0},
        {"VARLOK1", 24, 1.262, -1.344, -0.822, 1, 0, 0},
        {"VARLOK1", 25, 1.262, -1.341, -1.788, 1, 0, 0},
        {"VARLOK1", 32, 1.262, -1.228, -2.918, 1, 0, 0},
        {"VARLOK3C", 1, -0.64, 1.243, -0.096, 0, 1, 0},
        {"VARLOK3C", 2, -0.64, 1.243, -0.096, 1, 0, 0},
        {"VARLOK3C", 23, -1.262, -1.341, 2.068, 1, 0, 0},
        {"VARLOK3C", 24, 1.262, -1.344, 1.036, 1, 0, 0},
        {"VARLOK3C", 26, 1.262, -1.344, -0.822, 1, 0, 0},
        {"VARLOK3C", 34, 1.262, -1.228, -2.918, 1, 0, 0},
        {"KELDOCONTROL", 1, 0, 1.051, -1.121, 0, 1, 0},
        {"KELDOCONTROL", 22, -1.262, -1.341, 2.068, 1, 0, 0},
        {"KELDOCONTROL", 23, 1.262, -1.344, 1.036, 1, 0, 0},
        {"KELDOCONTROL", 25, 1.262, -1.344, -0.822, 1, 0, 0},
        {"KELDOCONTROL", 26, 1.262, -1.341, -1.788, 1, 0, 0},
        {"KELDOCONTROL", 33, 1.262, -1.228, -2.918, 1, 0, 0},
    };
    for (const auto &className : testing_support::kClasses)
        Create(className + "-1", className);
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.className) + " C" + std::to_string(row.component));
        const host::Vessel &v = *sim.FindVessel(std::string(row.className) + "-1");
        auto *record =
            static_cast<const MGROUP_ROTATION *>(v.components.at(row.component - 1).transform);
        EXPECT_TRUE(SameVector(record->referencePoint, row.rx, row.ry, row.rz));
        EXPECT_TRUE(SameVector(record->axis, row.ax, row.ay, row.az));
    }
}

// Later vehicles build nothing: their components point to the first vehicle's records,
// unchanged, even after that vehicle is gone. Only VARLOK3C's cannon record is new.
TEST_F(Rig, LaterVehiclesShareTheRecordsAndGetTheirOwnIndices)
{
    for (const auto &className : testing_support::kClasses) {
        SCOPED_TRACE(className);
        host::Vessel &first = Create(className + "-1", className);
        RigCalls firstCalls = RigCallsOf(CallsOf(first));
        std::vector<const MGROUP_TRANSFORM *> firstRecords;
        for (const auto &component : first.components)
            firstRecords.push_back(component.transform);

        host::Vessel &second = Create(className + "-2", className);
        RigCalls secondCalls = RigCallsOf(CallsOf(second));
        EXPECT_EQ(firstCalls.created, secondCalls.created); // its own animations, 0 up
        sim.DestroyVessel(first);
        host::Vessel &third = Create(className + "-3", className);
        RigCalls thirdCalls = RigCallsOf(CallsOf(third));

        ASSERT_EQ(firstRecords.size(), second.components.size());
        ASSERT_EQ(firstRecords.size(), third.components.size());
        for (std::size_t c = 0; c < firstRecords.size(); ++c) {
            SCOPED_TRACE("C" + std::to_string(c + 1));
            if (className == "VARLOK3C" && c == 1) {
                EXPECT_NE(firstRecords[c], second.components[c].transform);
                EXPECT_NE(second.components[c].transform, third.components[c].transform);
            } else {
                EXPECT_EQ(firstRecords[c], second.components[c].transform);
                EXPECT_EQ(firstRecords[c], third.components[c].transform);
            }
            const auto &before = firstCalls.added[c].record, &after = thirdCalls.added[c].record;
            EXPECT_EQ(before.groups, after.groups);
            EXPECT_EQ(before.angle, after.angle);
            EXPECT_TRUE(SameVector(after.ref, before.ref.x, before.ref.y, before.ref.z));
        }
    }
}

// Two VARLOK3C vehicles live at once: each keeps its own cannon record, with the same
// values, and its group list is the module's one constant array.
TEST_F(Rig, EachArmedVehicleHasItsOwnCannonRecord)
{
    host::Vessel &a = Create("A", "VARLOK3C");
    host::Vessel &b = Create("B", "VARLOK3C");
    auto *cannonA = static_cast<const MGROUP_ROTATION *>(a.components.at(1).transform);
    auto *cannonB = static_cast<const MGROUP_ROTATION *>(b.components.at(1).transform);
    ASSERT_NE(cannonA, cannonB);
    EXPECT_EQ(cannonA->groupIndices, cannonB->groupIndices);
    EXPECT_EQ(-k90, cannonB->angle);
    EXPECT_EQ(0, b.components.at(1).parent);
    EXPECT_EQ(1u, b.components.at(1).animation);
}

} // namespace
