// The stand-in sound library as the vehicles use it: ids per vessel, waves in slots,
// play once or looped against simulated time, stop, and every call in the trace.
#include "tests/soundlib/soundlib_fixture.h"

namespace soundlib_testing {
namespace {

using testing::ElementsAre;

using PlaybackTest = SoundLibraryTest;

TEST_F(PlaybackTest, EachVesselHasItsOwnIdAndKeepsIt)
{
    host::Vessel &first = Create("first", "VARLOK1");
    host::Vessel &second = Create("second", "KELDOCONTROL");

    EXPECT_EQ(lib->getVesselSoundId(second.vessel->GetHandle()), 1);
    EXPECT_EQ(lib->getVesselSoundId(first.vessel->GetHandle()), 0);
    EXPECT_EQ(lib->getVesselSoundId(nullptr), -1);
    // A handle that names no live vessel gets no id.
    OBJHANDLE gone = second.vessel->GetHandle();
    sim.DestroyVessel(second);
    EXPECT_EQ(lib->getVesselSoundId(gone), -1);
}

TEST_F(PlaybackTest, SixtyIdsAreGivenOutThenMinusOne)
{
    for (int n = 0; n < 60; ++n)
        Create("rover-" + std::to_string(n), "VARLOK1");
    host::Vessel &late = Create("late", "VARLOK1");

    // The late vessel's set-up was refused by its connector: only the id was asked.
    EXPECT_EQ(sound_testing::SoundLibraryCalls(sim.Trace()).back(),
              "GetVesselSoundID3(vessel:late) -> -1");
    EXPECT_EQ(lib->getVesselSoundId(late.vessel->GetHandle()), -1);
    EXPECT_EQ(lib->getVesselSoundId(sim.FindVessel("rover-59")->vessel->GetHandle()), 59);
}

TEST_F(PlaybackTest, StandInOneShotLastsOneSecondAtItsOwnRate)
{
    Create("rover", "VARLOK1"); // id 0, slots 1 and 2 loaded; no wave files in the root
    ASSERT_EQ(lib->playWave(0, 2, 0, 255, 0), 1);
    ExpectEndsBetween(0, 2, 0.95, 0.1);
}

TEST_F(PlaybackTest, AHigherFrequencyShortensAOneShot)
{
    Create("rover", "VARLOK1");
    ASSERT_EQ(lib->playWave(0, 2, 0, 255, 44100), 1); // twice the stand-in's rate
    ExpectEndsBetween(0, 2, 0.45, 0.1);
}

TEST_F(PlaybackTest, AWaveFileUnderTheRootSetsTheLength)
{
    std::filesystem::path root = UseOwnRoot();
    WriteWave(root / "Sound/Vessel/Varlok/Varlok-go.wav", Sine(440, 0.3, 8000), 8000);
    Create("rover", "VARLOK1");

    ASSERT_EQ(lib->playWave(0, 1, 0, 255, 0), 1);
    ExpectEndsBetween(0, 1, 0.25, 0.1);

    ASSERT_EQ(lib->playWave(0, 1, 0, 255, 16000), 1); // 0.15 s at twice its rate
    ExpectEndsBetween(0, 1, 0.1, 0.1);
}

TEST_F(PlaybackTest, ALoopPlaysUntilStopped)
{
    Create("rover", "VARLOK1");
    ASSERT_EQ(lib->playWave(0, 1, 1, 190, 11025), 1);
    Advance(10);
    EXPECT_EQ(lib->isPlayingWave(0, 1), 1);
    EXPECT_EQ(lib->stopWave(0, 1), 1);
    EXPECT_EQ(lib->isPlayingWave(0, 1), 0);
}

TEST_F(PlaybackTest, AOneShotPlayedAgainStartsOver)
{
    Create("rover", "VARLOK1");
    lib->playWave(0, 2, 0, 255, 0);
    Advance(0.6);
    lib->playWave(0, 2, 0, 255, 0);
    // Playing 1.2 s after the first start, 0.6 s after the second.
    ExpectEndsBetween(0, 2, 0.6, 0.5);
}

TEST_F(PlaybackTest, ARetuneKeepsThePlaceInTheWave)
{
    Create("rover", "VARLOK1");
    lib->playWave(0, 2, 0, 255, 0);
    Advance(0.5);
    ASSERT_EQ(lib->setFrequency(0, 2, 44100), 1); // the second half at twice the rate
    ExpectEndsBetween(0, 2, 0.2, 0.1);
}

TEST_F(PlaybackTest, AnExclusivePlaySilencesTheIdsOtherSlots)
{
    Create("first", "VARLOK1");
    Create("second", "VARLOK1");
    lib->playWave(0, 1, 1, 255, 0);
    lib->playWave(1, 1, 1, 255, 0);
    ASSERT_EQ(lib->playExclusiveWave(0, 2, 1, 255, 0), 1);
    EXPECT_EQ(lib->isPlayingWave(0, 1), 0);
    EXPECT_EQ(lib->isPlayingWave(0, 2), 1);
    EXPECT_EQ(lib->isPlayingWave(1, 1), 1);
}

TEST_F(PlaybackTest, EmptySlotsUnknownIdsAndSlotsOutOfRangeAreRefused)
{
    Create("rover", "VARLOK1");
    EXPECT_EQ(lib->playWave(0, 3, 1, 255, 0), 0); // slot 3 holds no wave
    EXPECT_EQ(lib->isPlayingWave(0, 3), 0);
    EXPECT_EQ(lib->stopWave(0, 3), 0);
    EXPECT_EQ(lib->playWave(1, 1, 1, 255, 0), 0); // id 1 not given out
    EXPECT_EQ(lib->loadWave(1, 1, "x.wav", 4), 0);
    EXPECT_EQ(lib->loadWave(0, 61, "x.wav", 4), 0);
    EXPECT_EQ(lib->loadWave(0, 0, "x.wav", 4), 0);
    EXPECT_EQ(lib->loadWave(0, 3, nullptr, 4), 0);
    EXPECT_EQ(lib->soundOption(0, 18, 0), 0);
    EXPECT_EQ(lib->soundOption(1, 1, 0), 0);
}

TEST_F(PlaybackTest, EveryCallIsTracedUnderItsExportName)
{
    host::Vessel &rover = Create("rover", "VARLOK1");
    sim.Trace().Clear();
    lib->getVesselSoundId(rover.vessel->GetHandle());
    lib->loadWave(0, 7, "Sound\\x.wav", 2);
    lib->playWave(0, 7, 1, 100, 8000);
    lib->playExclusiveWave(0, 7, 0, 90, 0);
    lib->setFrequency(0, 7, 9000);
    lib->isPlayingWave(0, 7);
    lib->isPlayingRadioWave(0);
    lib->stopWave(0, 7);
    lib->soundOption(0, 3, 0);
    lib->replaceStockSound(0, "x.wav", 2);
    lib->beginRecording("out.wav", 8000);
    lib->endRecording();

    EXPECT_THAT(sound_testing::SoundLibraryCalls(sim.Trace()),
                ElementsAre("GetVesselSoundID3(vessel:rover) -> 0",
                            R"(LoadVesselWaveOBSound3(0, 7, "Sound\x.wav", 2) -> 1)",
                            "PlayVesselWaveOBSound3(0, 7, 1, 100, 8000) -> 1",
                            "PlayVesselExclusiveWaveOBSound3(0, 7, 0, 90, 0) -> 1",
                            "SetFrequency(0, 7, 9000) -> 1", "IsPlayingVesselWave3(0, 7) -> 1",
                            "IsPlayingRadioVesselWave(0) -> 0", "StopVesselWave3(0, 7) -> 1",
                            "SoundOption3(0, 3, 0) -> 1",
                            R"(ReplaceStockOBSound3(0, "x.wav", 2) -> 0)",
                            R"(StandInSoundBeginRecording("out.wav", 8000) -> 1)",
                            "StandInSoundEndRecording() -> 1"));
}

TEST_F(PlaybackTest, CallsDuringAVesselsCallbackAreItsCalls)
{
    host::Vessel &rover = Create("rover", "VARLOK3C");
    sim.SetFocus(&rover);
    sim.Trace().Clear();
    sim.SendKey(rover, 17, true); // W: cannon shot
    lib->isPlayingWave(0, 4);

    std::vector<host::TraceCall> calls;
    for (const host::TraceCall &call : sim.Trace().Calls())
        if (sound_testing::IsSoundLibraryCall(call))
            calls.push_back(call);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].vessel, rover.id);
    EXPECT_EQ(calls[1].vessel, -1);
}

} // namespace
} // namespace soundlib_testing
