// The vehicles' sound set-up in post-creation: connect, load the module's waves into
// their slots, switch the options off, in that order and with those values.
#include "tests/sound/sound_fixture.h"

namespace sound_testing {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

using VehicleSoundsTest = SoundTest;

std::vector<std::string> SetUpCalls(const std::string &vessel, int soundId, bool withCannon)
{
    std::string id = std::to_string(soundId);
    std::vector<std::string> calls = {
        "GetVesselSoundID3(vessel:" + vessel + ") -> " + id,
        "LoadVesselWaveOBSound3(" + id + R"(, 1, "Sound\Vessel\Varlok\Varlok-go.wav", 4) -> 1)",
        "LoadVesselWaveOBSound3(" + id + R"(, 2, "Sound\Vessel\Varlok\Varlok-start.wav", 4) -> 1)",
    };
    if (withCannon)
        calls.push_back("LoadVesselWaveOBSound3(" + id + R"(, 4, "Sound\Vessel\Varlok\cannon.wav", 4) -> 1)");
    for (int option : {5, 6, 7, 1, 13, 14, 16, 17})
        calls.push_back("SoundOption3(" + id + ", " + std::to_string(option) + ", 0) -> 1");
    return calls;
}

TEST_F(VehicleSoundsTest, SetUpReachesTheLibraryInOrderInEveryModule)
{
    LoadSoundLibrary();
    int soundId = 0;
    for (const std::string &className : testing_support::kClasses) {
        SCOPED_TRACE(className);
        host::Vessel &vessel = sim.ConstructVessel(className + "-1", className);
        sim.SetClassCaps(vessel);
        sim.Trace().Clear();
        sim.PostCreation(vessel);

        // Post-creation does nothing else: the handle, then the library's calls.
        std::vector<std::string> expected = {"GetHandle() -> vessel:" + vessel.name};
        for (const std::string &c : SetUpCalls(vessel.name, soundId, className == "VARLOK3C"))
            expected.push_back(c);
        EXPECT_THAT(testing_support::Describe(CallsOf(vessel), true), ElementsAreArray(expected));
        ++soundId;
    }
    EXPECT_EQ(ReadLog(), std::nullopt);
}

TEST_F(VehicleSoundsTest, TwoVehiclesOfOneModuleSetUpUnderTheirOwnIds)
{
    LoadSoundLibrary();
    Create("first", "VARLOK3C");
    Create("second", "VARLOK3C");

    std::vector<std::string> expected = SetUpCalls("first", 0, true);
    for (const std::string &c : SetUpCalls("second", 1, true))
        expected.push_back(c);
    EXPECT_THAT(LibraryCalls(), ElementsAreArray(expected));
}

TEST_F(VehicleSoundsTest, WithoutTheLibraryTheSetUpEndsAfterTheConnect)
{
    host::Vessel &vessel = sim.ConstructVessel("rover", "VARLOK3C");
    sim.SetClassCaps(vessel);
    sim.Trace().Clear();
    sim.PostCreation(vessel);
    EXPECT_THAT(NamesOf(vessel), ElementsAre("GetHandle"));
    EXPECT_EQ(ReadLog(), LogOf({kNotInstalledMessage}));
}

TEST_F(VehicleSoundsTest, TheCuesPlayTheLoadedWaves)
{
    LoadSoundLibrary();
    host::Vessel &vessel = Create("rover", "VARLOK3C");
    sim.SetFocus(&vessel);
    sim.Trace().Clear();

    sim.SendKey(vessel, 37, true); // K: engine start
    sim.SendKey(vessel, 17, true); // W: cannon shot
    sim.Step(0.1);

    std::vector<std::string> played;
    for (const std::string &call : LibraryCalls())
        if (call.starts_with("PlayVesselWaveOBSound3"))
            played.push_back(call);
    // Every cue finds its slot loaded (the library answers 1).
    EXPECT_THAT(played, ElementsAre("PlayVesselWaveOBSound3(0, 2, 0, 255, 22100) -> 1",
                                    "PlayVesselWaveOBSound3(0, 4, 0, 255, 0) -> 1",
                                    "PlayVesselWaveOBSound3(0, 1, 1, 190, 11025) -> 1"));
}

} // namespace
} // namespace sound_testing
