// The engine: thrust gate before and after the start, and the running sound's cue.
#include <gtest/gtest.h>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

using testing_support::Describe;
using testing_support::Only;

class Engine : public vehicle_testing::VehicleTest {
protected:
    std::vector<std::string> SoundCalls(double dt = 0.02)
    {
        return Describe(Only(Step(dt), {"PlayVesselWaveOBSound3", "IsPlayingVesselWave3",
                                        "StopVesselWave3"}),
                        true);
    }
};

TEST_F(Engine, BeforeTheStartEveryThrusterIsHeldAtZero)
{
    for (const auto &className : testing_support::kClasses) {
        Make(className, className);
        for (auto &t : v->thrusters)
            t.level = 1; // the pilot's input
        Step();
        for (const auto &t : v->thrusters) {
            EXPECT_EQ(0, t.level) << className;
            EXPECT_EQ(0, t.max0) << className;
        }
    }
}

TEST_F(Engine, AfterTheStartDriveThrustersAreLimitedAndYawThrustersFull)
{
    for (const auto &className : testing_support::kClasses) {
        Make(className, className);
        Step();
        EXPECT_EQ(1, Press(OAPI_KEY_K));
        for (auto &t : v->thrusters)
            t.level = 0.5;
        auto gate = Describe(Only(Step(), {"SetThrusterMax0", "SetThrusterLevel",
                                           "SetThrusterGroupLevel"}));
        EXPECT_EQ((std::vector<std::string>{
                      "SetThrusterMax0(th0, 9000)", "SetThrusterMax0(th1, 9000)",
                      "SetThrusterMax0(th2, 90000)", "SetThrusterMax0(th3, 90000)",
                      "SetThrusterMax0(th4, 90000)", "SetThrusterMax0(th5, 90000)"}),
                  gate)
            << className;
        for (const auto &t : v->thrusters)
            EXPECT_EQ(0.5, t.level) << className << ": the pilot's levels stay";
    }
}

TEST_F(Engine, RunningCueFollowsTheWorkingSpeed)
{
    LoadSoundLibrary();
    Make("VARLOK3C");
    EXPECT_TRUE(SoundCalls().empty()) << "no running sound before the start";
    Press(OAPI_KEY_K);
    // At rest: volume 190, frequency 11025; the slot plays, so no restart.
    EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(0, 1, 1, 190, 11025) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 1"}),
              SoundCalls());
    SetDrive(0, 0, 0, 10); // coasting, no rolling branch: the raw speed
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 225, 13025) -> 1", SoundCalls().at(0));
    SetDrive(0, 0, 0, 1.5);
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 197, 11325) -> 1", SoundCalls().at(0));

    // The library reports the slot stopped: the restart row plays it again at rest
    // pitch, but not at a negative speed (nor is a stopped slot stopped again).
    auto holdSilent = reinterpret_cast<int (*)(int, int, int)>(
        sim.SoundLibrary()->Symbol("StandInSoundHoldSilent"));
    ASSERT_NE(holdSilent, nullptr);
    ASSERT_EQ(1, holdSilent(0, 1, 1));
    EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(0, 1, 1, 197, 11325) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 0",
                                        "PlayVesselWaveOBSound3(0, 1, 1, 190, 0) -> 1"}),
              SoundCalls());
    SetDrive(0, 0, 0, -2);
    EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(0, 1, 1, 180, 10625) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 0",
                                        "IsPlayingVesselWave3(0, 1) -> 0"}),
              SoundCalls());
}

TEST_F(Engine, RunningCueSeesTheSpeedCappedByAWheelBranch)
{
    LoadSoundLibrary();
    Make("VARLOK1");
    Press(OAPI_KEY_K);
    SetDrive(1, 0, 0, 100);
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 225, 22025) -> 1", SoundCalls().at(0));
    SetDrive(0, 0, 0.1, 100); // rudder slightly off: no rolling branch, no cap
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 225, 31025) -> 1", SoundCalls().at(0));
}

TEST_F(Engine, NegativeSpeedStopsTheRunningSound)
{
    LoadSoundLibrary();
    Make("KELDOCONTROL");
    Press(OAPI_KEY_K);
    Step();
    SetDrive(0, 0, 0, -2);
    EXPECT_EQ((std::vector<std::string>{"PlayVesselWaveOBSound3(0, 1, 1, 180, 10625) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 1",
                                        "IsPlayingVesselWave3(0, 1) -> 1",
                                        "StopVesselWave3(0, 1) -> 1"}),
              SoundCalls());
}

TEST_F(Engine, WithoutTheSoundLibraryTheEngineStillStartsAndNothingReachesALibrary)
{
    Make("VARLOK1");
    EXPECT_EQ(1, Press(OAPI_KEY_K));
    Step();
    EXPECT_EQ(9000, v->thrusters[0].max0);
    EXPECT_TRUE(SoundCalls().empty());
}

} // namespace
