// Connecting to the sound library: the failure paths with their log entries, and what
// each connect leaves bound for the guarded calls.
#include "generated/test_build.h"
#include "tests/sound/sound_fixture.h"

namespace sound_testing {
namespace {

using ConnectTest = SoundTest;
using testing::ElementsAre;
using testing::IsEmpty;

const std::string kVariantWithoutReplaceStock = std::string(TEST_ROOT) + "/sound_without_replace_stock";
const std::string kVariantWithoutVesselId = std::string(TEST_ROOT) + "/sound_without_vessel_id";

TEST_F(ConnectTest, WithoutTheLibraryEveryModuleLogsNotInstalledOnceAndStaysSilent)
{
    for (const std::string &className : testing_support::kClasses)
        Create(className + "-1", className);

    // Each module writes its own entry; each set-up asks nothing of any library.
    EXPECT_EQ(ReadLog(), LogOf({kNotInstalledMessage, kNotInstalledMessage, kNotInstalledMessage}));
    EXPECT_THAT(LibraryCalls(), IsEmpty());
}

TEST_F(ConnectTest, WithoutTheLibraryTheVehicleKeepsMinusOneAndItsCallsAreRefused)
{
    UseProbeModules();
    host::Vessel &vessel = Create("rover", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");

    EXPECT_EQ(probe.soundIdOf(vessel.vessel), -1);
    EXPECT_EQ(probe.playWave(-1, 1, 1, 255, 0), 0);
    // A library loaded afterwards is not bound by the failed connect.
    LoadSoundLibrary();
    EXPECT_EQ(probe.playWave(0, 1, 1, 255, 0), 0);
    EXPECT_EQ(probe.setSoundOption(0, 5, 0), 0);
    EXPECT_THAT(LibraryCalls(), IsEmpty());
    EXPECT_EQ(ReadLog(), LogOf({kNotInstalledMessage}));
}

TEST_F(ConnectTest, NullHandleIsLoggedBeforeAnyLookForTheLibrary)
{
    UseProbeModules();
    ConnectorProbe probe = Probe("VARLOK1");

    // No library is loaded: had it been looked for, the entry would say not installed.
    EXPECT_EQ(probe.connect(nullptr), -1);
    EXPECT_EQ(ReadLog(), LogOf({kNullHandleMessage}));
}

TEST_F(ConnectTest, NullHandleLeavesEarlierBindingsInPlace)
{
    UseProbeModules();
    LoadSoundLibrary();
    host::Vessel &vessel = Create("rover", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");
    ASSERT_EQ(probe.soundIdOf(vessel.vessel), 0);

    EXPECT_EQ(probe.connect(nullptr), -1);
    sim.Trace().Clear();
    EXPECT_EQ(probe.playWave(0, 1, 0, 255, 0), 1);
    EXPECT_THAT(LibraryCalls(), ElementsAre("PlayVesselWaveOBSound3(0, 1, 0, 255, 0) -> 1"));
    EXPECT_EQ(ReadLog(), LogOf({kNullHandleMessage}));
}

TEST_F(ConnectTest, LibraryLackingReplaceStockGivesErr02AndKeepsTheEntriesFound)
{
    UseProbeModules();
    LoadSoundLibraryFrom(kVariantWithoutReplaceStock);
    host::Vessel &vessel = Create("rover", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");

    EXPECT_EQ(probe.soundIdOf(vessel.vessel), -1);
    EXPECT_EQ(ReadLog(), LogOf({kMissingRoutinesMessage}));
    // The id is never asked for, and the set-up's calls with -1 are refused.
    EXPECT_THAT(LibraryCalls(), IsEmpty());
    // The play entry was found, so a call in range reaches the library.
    EXPECT_EQ(probe.playWave(0, 1, 0, 255, 0), 0);
    EXPECT_THAT(LibraryCalls(), ElementsAre("PlayVesselWaveOBSound3(0, 1, 0, 255, 0) -> 0"));
}

TEST_F(ConnectTest, LibraryLackingVesselIdGivesErr03AndKeepsTheOtherEntries)
{
    UseProbeModules();
    LoadSoundLibraryFrom(kVariantWithoutVesselId);
    host::Vessel &vessel = Create("rover", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");

    EXPECT_EQ(probe.soundIdOf(vessel.vessel), -1);
    EXPECT_EQ(ReadLog(), LogOf({kNoVesselIdMessage}));
    EXPECT_THAT(LibraryCalls(), IsEmpty());
    EXPECT_EQ(probe.setSoundOption(0, 5, 0), 0);
    EXPECT_EQ(probe.isPlayingWave(0, 2), 0);
    EXPECT_THAT(LibraryCalls(), ElementsAre("SoundOption3(0, 5, 0) -> 0",
                                            "IsPlayingVesselWave3(0, 2) -> 0"));
}

TEST_F(ConnectTest, ALaterConnectBindsOnceTheLibraryIsThere)
{
    UseProbeModules();
    host::Vessel &first = Create("first", "VARLOK1");
    LoadSoundLibrary();
    host::Vessel &second = Create("second", "VARLOK1");

    EXPECT_EQ(SoundIdOf(first), -1);
    EXPECT_EQ(SoundIdOf(second), 0);
    EXPECT_EQ(ReadLog(), LogOf({kNotInstalledMessage}));
}

TEST_F(ConnectTest, TwoVehiclesOfOneModuleEachGetTheirOwnId)
{
    UseProbeModules();
    LoadSoundLibrary();
    host::Vessel &first = Create("first", "VARLOK1");
    host::Vessel &second = Create("second", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");

    EXPECT_EQ(SoundIdOf(first), 0);
    EXPECT_EQ(SoundIdOf(second), 1);
    // Asking again for a vessel already known gives its id, not a new one.
    EXPECT_EQ(probe.connect(first.vessel->GetHandle()), 0);
    // After the second connect rebound the table, both ids play through it.
    sim.Trace().Clear();
    EXPECT_EQ(probe.playWave(0, 2, 0, 255, 0), 1);
    EXPECT_EQ(probe.playWave(1, 2, 0, 255, 0), 1);
    EXPECT_EQ(probe.isPlayingWave(1, 2), 1);
    EXPECT_THAT(LibraryCalls(), ElementsAre("PlayVesselWaveOBSound3(0, 2, 0, 255, 0) -> 1",
                                            "PlayVesselWaveOBSound3(1, 2, 0, 255, 0) -> 1",
                                            "IsPlayingVesselWave3(1, 2) -> 1"));
    EXPECT_EQ(ReadLog(), std::nullopt);
}

TEST_F(ConnectTest, ModulesShareTheLibraryButNotTheirBindings)
{
    UseProbeModules();
    LoadSoundLibrary();
    host::Vessel &rover = Create("rover", "VARLOK1");
    ConnectorProbe other = Probe("KELDOCONTROL");

    // KELDOCONTROL has connected nothing yet: its calls are refused.
    sim.Trace().Clear();
    EXPECT_EQ(other.playWave(0, 1, 0, 255, 0), 0);
    EXPECT_THAT(LibraryCalls(), IsEmpty());
    host::Vessel &control = Create("control", "KELDOCONTROL");
    EXPECT_EQ(SoundIdOf(rover), 0);
    EXPECT_EQ(SoundIdOf(control), 1);
    EXPECT_EQ(other.playWave(1, 1, 0, 255, 0), 1);
}

} // namespace
} // namespace sound_testing
