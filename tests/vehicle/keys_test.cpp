// Keyboard commands of every module: results, releases, mode transitions, cues.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

using testing_support::Describe;
using testing_support::Only;

class Keys : public vehicle_testing::VehicleTest {
protected:
    std::vector<std::string> PressCalls(DWORD key, int *result = nullptr)
    {
        sim.Trace().Clear();
        int r = Press(key);
        if (result)
            *result = r;
        return Describe(CallsOf(*v), true);
    }

    // The cannon's motion in a step of d = 0.01, from a position kept off its ends.
    double CannonMotion()
    {
        double before = v->animations[rig.cannon].state;
        return StepAnimation(rig.cannon, 0.04) - before;
    }
    double TurretMotion()
    {
        double before = v->animations[rig.turret].state;
        double motion = StepAnimation(rig.turret, 0.04) - before;
        return motion - std::round(motion); // a wrap by a whole turn is no motion

    }
};

TEST_F(Keys, ResultsOfEveryModulesTable)
{
    struct Row {
        DWORD key;
        int varlok3c, others;
    };
    const Row rows[] = {
        {OAPI_KEY_1, 1, 1}, {OAPI_KEY_2, 1, 1}, {OAPI_KEY_3, 0, 0}, {OAPI_KEY_5, 1, 0},
        {OAPI_KEY_6, 1, 0}, {OAPI_KEY_7, 1, 0}, {OAPI_KEY_8, 1, 0}, {OAPI_KEY_W, 0, 0},
        {OAPI_KEY_D, 1, 1}, {OAPI_KEY_K, 1, 1}, {OAPI_KEY_K, 1, 1}, {0x1E /* A */, 0, 0},
    };
    for (const auto &className : testing_support::kClasses) {
        Make(className, className);
        for (const Row &row : rows)
            EXPECT_EQ(className == "VARLOK3C" ? row.varlok3c : row.others, Press(row.key))
                << className << " key " << row.key;
    }
}

TEST_F(Keys, ReleasesChangeNothing)
{
    LoadSoundLibrary();
    Make("VARLOK3C");
    sim.Trace().Clear();
    for (DWORD key : {OAPI_KEY_D, OAPI_KEY_K, OAPI_KEY_5, OAPI_KEY_8, OAPI_KEY_1, OAPI_KEY_W})
        EXPECT_EQ(0, sim.SendKey(*v, key, false));
    EXPECT_TRUE(CallsOf(*v).empty()) << "no camera, no cue";
    Step(1);
    EXPECT_EQ(0, v->animations[rig.cannon].state);
    EXPECT_EQ(0, v->animations[rig.turret].state);
    EXPECT_EQ(0, v->thrusters[0].max0) << "engine not started";
    EXPECT_TRUE(std::isnan(StepAnimation(rig.doorLeft))) << "doors not moving";
}

TEST_F(Keys, CameraKeysSetDirectionThenOffset)
{
    Make("KELDOCONTROL");
    const std::vector<std::string> rear = {"SetCameraDefaultDirection((0, 0, -1))",
                                           "SetCameraOffset((0, 0.55, -1.307))"};
    const std::vector<std::string> front = {"SetCameraDefaultDirection((0, 0, 1))",
                                            "SetCameraOffset((-0.571, -0.074, 2.124))"};
    EXPECT_EQ(rear, PressCalls(OAPI_KEY_2));
    EXPECT_EQ(front, PressCalls(OAPI_KEY_1));
    EXPECT_EQ(front, PressCalls(OAPI_KEY_1)) << "the same calls again";
    EXPECT_EQ(rear, PressCalls(OAPI_KEY_2)) << "and back";
}

TEST_F(Keys, CannonPairFollowsItsTransitions)
{
    Make("VARLOK3C");
    Press(OAPI_KEY_5);
    StepAnimation(rig.cannon, 2); // 0.5, away from both ends
    Press(OAPI_KEY_5);            // raising -> held
    EXPECT_EQ(0, CannonMotion());
    Press(OAPI_KEY_5); // held -> raising
    EXPECT_NEAR(0.01, CannonMotion(), 1e-12);
    Press(OAPI_KEY_6); // raising -> lowering at once
    EXPECT_NEAR(-0.01, CannonMotion(), 1e-12);
    Press(OAPI_KEY_6); // lowering -> held
    EXPECT_EQ(0, CannonMotion());
    Press(OAPI_KEY_6); // held -> lowering
    EXPECT_NEAR(-0.01, CannonMotion(), 1e-12);
    Press(OAPI_KEY_5); // lowering -> raising
    EXPECT_NEAR(0.01, CannonMotion(), 1e-12);
}

TEST_F(Keys, TurretPairFollowsItsTransitions)
{
    Make("VARLOK3C");
    EXPECT_EQ(0, TurretMotion()) << "held at the start";
    Press(OAPI_KEY_7); // held -> falling
    StepAnimation(rig.turret, 2);
    EXPECT_NEAR(-0.01, TurretMotion(), 1e-12);
    Press(OAPI_KEY_8); // falling -> rising
    EXPECT_NEAR(0.01, TurretMotion(), 1e-12);
    Press(OAPI_KEY_8); // rising -> held
    EXPECT_EQ(0, TurretMotion());
    Press(OAPI_KEY_8); // held -> rising
    EXPECT_NEAR(0.01, TurretMotion(), 1e-12);
    Press(OAPI_KEY_7); // rising -> falling
    EXPECT_NEAR(-0.01, TurretMotion(), 1e-12);
    Press(OAPI_KEY_7); // falling -> held
    EXPECT_EQ(0, TurretMotion());
}

TEST_F(Keys, DoorKeyTogglesWithoutMovingTheDoor)
{
    Make("VARLOK1");
    EXPECT_TRUE(Only(Step(), {"SetAnimation"}).size() == 4) << "closed: only the levers";
    Press(OAPI_KEY_D);
    EXPECT_DOUBLE_EQ(0.25, StepAnimation(rig.doorLeft, 1));
    auto calls = PressCalls(OAPI_KEY_D);
    EXPECT_TRUE(calls.empty()) << "the key itself calls nothing of the host";
    EXPECT_DOUBLE_EQ(0, StepAnimation(rig.doorLeft, 1)) << "closing from 0.25";
}

TEST_F(Keys, EngineStartCuePlaysOnceAndCannonCueAtEveryPress)
{
    LoadSoundLibrary();
    Make("VARLOK3C");
    int result = -1;
    const std::vector<std::string> cannonCue = {"PlayVesselWaveOBSound3(0, 4, 0, 255, 0) -> 1"};
    EXPECT_EQ(cannonCue, PressCalls(OAPI_KEY_W, &result));
    EXPECT_EQ(0, result) << "W passes on to the simulator after its cue";
    for (int press = 0; press < 2; ++press) {
        result = -1;
        EXPECT_EQ(cannonCue, PressCalls(OAPI_KEY_W, &result)) << "at every press";
        EXPECT_EQ(0, result);
    }
    EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(0, 2, 0, 255, 22100) -> 1"}),
              PressCalls(OAPI_KEY_K));
    EXPECT_TRUE(PressCalls(OAPI_KEY_K).empty()) << "the second K plays nothing";
}

TEST_F(Keys, OtherModulesHaveNoCannonCue)
{
    LoadSoundLibrary();
    for (const char *className : {"VARLOK1", "KELDOCONTROL"}) {
        Make(className, className);
        int result = -1;
        EXPECT_TRUE(PressCalls(OAPI_KEY_W, &result).empty()) << className;
        EXPECT_EQ(0, result);
        EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(" +
                                            std::to_string(v->id) +
                                            ", 2, 0, 255, 22100) -> 1"}),
                  PressCalls(OAPI_KEY_K))
            << className;
    }
}

TEST_F(Keys, WithoutTheSoundLibraryCuesAreRefusedAndKeysStillWork)
{
    Make("VARLOK3C");
    int result = -1;
    EXPECT_TRUE(PressCalls(OAPI_KEY_W, &result).empty());
    EXPECT_EQ(0, result);
    EXPECT_TRUE(PressCalls(OAPI_KEY_K, &result).empty());
    EXPECT_EQ(1, result);
    Step();
    EXPECT_EQ(9000, v->thrusters[1].max0);
}

} // namespace
