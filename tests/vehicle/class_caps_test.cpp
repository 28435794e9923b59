// The class capabilities: every host call in order, with its values.
#include <gtest/gtest.h>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

using testing_support::Describe;

class ClassCaps : public testing_support::HostTest {
protected:
    std::vector<std::string> CapsCalls(const std::string &className, int flightModel)
    {
        host::Vessel &v = sim.ConstructVessel("V", className, flightModel);
        sim.Trace().Clear();
        sim.SetClassCaps(v);
        return Describe(sim.Trace().Calls(), true);
    }
};

std::vector<std::string> Expected(const std::string &mesh, int flightModel)
{
    const bool momentScales = flightModel >= 1;
    std::vector<std::string> calls = {
        "SetSize(7)",
        "SetEmptyMass(100)",
        "SetCW(0.3, 0.3, 0.6, 0.9)",
        "SetWingAspect(0.1)",
        "SetWingEffectiveness(0.1)",
        "SetCrossSections((200, 30, 30))",
        "SetRotDrag((0.1, 0.1, 0.1))",
    };
    calls.push_back("GetFlightModel() -> " + std::to_string(flightModel));
    if (momentScales) {
        calls.push_back("SetPitchMomentScale(1e-04)");
        calls.push_back("SetBankMomentScale(1e-04)");
    }
    std::vector<std::string> rest = {
        "SetPMI((57.9, 54.34, 17.13))",
        "SetTrimScale(0.05)",
        "SetCameraOffset((-0.571, -0.074, 2.124))",
        "SetTouchdownPoints((0, -1.87, 1), (-1.6, -1.87, -1), (1.6, -1.87, -1))",
        "EnableTransponder(true)",
        "CreatePropellantResource(300, -1, 1) -> ph0",
        "CreateThruster((0, 0, -4.3), (0, 0, 1), 90000, ph0, 1.1e+13, 0, 101400) -> th0",
        "CreateThrusterGroup(th0, 1, 0) -> thg0",
        "CreateThruster((0, 0, 4.3), (0, 0, -1), 90000, ph0, 1.1e+13, 0, 101400) -> th1",
        "CreateThrusterGroup(th1, 1, 1) -> thg1",
        "CreateThruster((1, 0, 1), (0, 0, 1), 90000, ph0, 1.1e+13, 0, 101400) -> th2",
        "CreateThruster((-1, 0, 1), (0, 0, 1), 90000, ph0, 1.1e+13, 0, 101400) -> th3",
        "CreateThruster((1, 0, -1), (0, 0, -1), 90000, ph0, 1.1e+13, 0, 101400) -> th4",
        "CreateThruster((-1, 0, -1), (0, 0, -1), 90000, ph0, 1.1e+13, 0, 101400) -> th5",
        "CreateThrusterGroup(th2, th5, 2, 5) -> thg2",
        "CreateThrusterGroup(th3, th4, 2, 6) -> thg3",
        "oapiLoadMeshGlobal(\"" + mesh + "\") -> mesh:" + mesh,
        "AddMesh(mesh:" + mesh + ", null) -> 0",
        "SetMeshVisibilityMode(0, 3)",
    };
    calls.insert(calls.end(), rest.begin(), rest.end());
    return calls;
}

TEST_F(ClassCaps, EveryModuleDeclaresTheSameMakeUpWithItsOwnMesh)
{
    EXPECT_EQ(Expected("VARLOK", 1), CapsCalls("VARLOK1", 1));
}

TEST_F(ClassCaps, ArmedVehicleUsesItsMesh)
{
    EXPECT_EQ(Expected("VARLOK3A", 2), CapsCalls("VARLOK3C", 2));
}

TEST_F(ClassCaps, FlightModelZeroLeavesTheMomentScalesToTheHost)
{
    EXPECT_EQ(Expected("keldocontrol", 0), CapsCalls("KELDOCONTROL", 0));
}

TEST_F(ClassCaps, TheYawGroupsTurnWithoutNetThrust)
{
    host::Vessel &v = Create("V", "VARLOK1");
    for (THGROUP_TYPE type : {THGROUP_ATT_YAWLEFT, THGROUP_ATT_YAWRIGHT}) {
        const auto &group = v.groups.at(v.GroupOfType(type));
        ASSERT_EQ(2u, group.thrusters.size());
        const auto &a = v.thrusters[group.thrusters[0]];
        const auto &b = v.thrusters[group.thrusters[1]];
        EXPECT_EQ(0, a.direction.z + b.direction.z) << "no net thrust";
        EXPECT_EQ(0, a.position.x + b.position.x) << "opposite sides";
        // Torque about y, left-handed frame (x right, z forward): x * Fz.
        double torque = a.position.x * a.direction.z + b.position.x * b.direction.z;
        EXPECT_EQ(type == THGROUP_ATT_YAWLEFT ? 2 : -2, torque);
    }
}

} // namespace
