// Recording what the library plays into a WAV file: timing, loop, volume and
// frequency as heard, and files written whole or not at all.
#include <algorithm>
#include <cmath>

#include "soundlib/wave.h"
#include "tests/soundlib/soundlib_fixture.h"

namespace soundlib_testing {
namespace {

using RecordingTest = SoundLibraryTest;

constexpr int kRate = 8000;
// 16-bit samples, read back as floats.
constexpr float kQuantum = 1.0f / 32768;

float Peak(const std::vector<float> &samples, double from, double to, int rate)
{
    float peak = 0;
    for (auto i = std::size_t(from * rate); i < std::size_t(to * rate) && i < samples.size(); ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

// Sign changes from negative to non-negative over a span: the cycles heard.
int Cycles(const std::vector<float> &samples, double from, double to, int rate)
{
    int cycles = 0;
    for (auto i = std::size_t(from * rate) + 1; i < std::size_t(to * rate); ++i)
        cycles += samples[i - 1] < 0 && samples[i] >= 0;
    return cycles;
}

TEST_F(RecordingTest, ALoopIsHeardWithoutBreakUntilStoppedAndTheRestIsSilence)
{
    Create("rover", "VARLOK1");
    ASSERT_EQ(lib->beginRecording("run.wav", kRate), 1);
    lib->playWave(0, 1, 1, 255, 0);
    // Steps that are no whole number of the stand-in's cycles, so a restart would show.
    for (int step = 0; step < 16; ++step) {
        Advance(0.0625);
        lib->playWave(0, 1, 1, 255, 0); // asked again at every step, as the engine does
    }
    lib->stopWave(0, 1);
    Advance(0.5);
    ASSERT_EQ(lib->endRecording(), 1);

    Recording heard = ReadWave("run.wav");
    EXPECT_EQ(heard.rate, kRate);
    ASSERT_NEAR(double(heard.samples.size()), 1.5 * kRate, 1);
    // Sample for sample the slot's stand-in wave, resampled from its own rate.
    standin::Wave wave = standin::StandInWave(1);
    for (std::size_t i = 0; i < std::size_t(kRate); i += 97) {
        double position = double(i) * wave.rate / kRate;
        auto index = std::size_t(position);
        double fraction = position - double(index);
        double expected = wave.samples[index] * (1 - fraction) + wave.samples[index + 1] * fraction;
        ASSERT_NEAR(heard.samples[i], expected, 2 * kQuantum) << "sample " << i;
    }
    EXPECT_EQ(Peak(heard.samples, 1.0 + 1.0 / kRate, 1.5, kRate), 0.0f);
}

TEST_F(RecordingTest, VolumeScalesWhatIsHeardAndIdsAddUp)
{
    Create("first", "VARLOK1");
    Create("second", "VARLOK1");
    ASSERT_EQ(lib->beginRecording("mix.wav", kRate), 1);
    lib->playWave(0, 1, 1, 255, 0);
    Advance(1.0);
    lib->playWave(0, 1, 1, 51, 0); // a loop asked again keeps its place, a fifth as loud
    Advance(1.0);
    lib->playWave(1, 1, 1, 51, 0); // the same wave from the second vessel, in step
    lib->playWave(0, 1, 1, 51, 0);
    Advance(1.0);
    ASSERT_EQ(lib->endRecording(), 1);

    Recording heard = ReadWave("mix.wav");
    float full = Peak(heard.samples, 0, 1, kRate);
    ASSERT_GT(full, 0.4f);
    EXPECT_NEAR(Peak(heard.samples, 1, 2, kRate), full / 5, 3 * kQuantum);
    // Restarted together, the two loops sound in phase: twice the amplitude.
    EXPECT_NEAR(Peak(heard.samples, 2, 3, kRate), 2 * full / 5, 4 * kQuantum);
}

TEST_F(RecordingTest, FrequencyAndOneShotsFollowTheWaveFile)
{
    std::filesystem::path root = UseOwnRoot();
    WriteWave(root / "Sound/Vessel/Varlok/Varlok-go.wav", Sine(200, 1.0, kRate), kRate);
    WriteWave(root / "Sound/Vessel/Varlok/Varlok-start.wav", Sine(400, 0.3, kRate), kRate);
    Create("rover", "VARLOK1");

    ASSERT_EQ(lib->beginRecording("waves.wav", kRate), 1);
    lib->playWave(0, 1, 1, 255, 0); // its own rate: 200 Hz
    Advance(1.0);
    lib->playWave(0, 1, 1, 255, 2 * kRate); // twice the rate: 400 Hz
    Advance(1.0);
    lib->stopWave(0, 1);
    lib->playWave(0, 2, 0, 255, 0); // once: 0.3 s
    Advance(1.0);
    ASSERT_EQ(lib->endRecording(), 1);

    Recording heard = ReadWave("waves.wav");
    EXPECT_NEAR(Cycles(heard.samples, 0, 1, kRate), 200, 2);
    EXPECT_NEAR(Cycles(heard.samples, 1, 2, kRate), 400, 2);
    EXPECT_GT(Peak(heard.samples, 2.0, 2.29, kRate), 0.45f);
    EXPECT_EQ(Peak(heard.samples, 2.31, 3.0, kRate), 0.0f);
}

TEST_F(RecordingTest, AScenarioWithTheVehiclesCuesIsHeard)
{
    host::Vessel &rover = Create("rover", "VARLOK3C");
    sim.SetFocus(&rover);
    ASSERT_EQ(lib->beginRecording("scenario.wav", 22050), 1);
    Advance(0.5);                 // silence before the engine starts
    sim.SendKey(rover, 37, true); // K: engine start, then the engine runs every step
    Advance(1.5);
    sim.SendKey(rover, 17, true); // W: cannon shot
    Advance(1.0);
    ASSERT_EQ(lib->endRecording(), 1);

    Recording heard = ReadWave("scenario.wav");
    ASSERT_NEAR(double(heard.samples.size()), 3.0 * 22050, 1);
    EXPECT_EQ(Peak(heard.samples, 0, 0.5, 22050), 0.0f);
    float running = Peak(heard.samples, 1.6, 2.0, 22050);
    EXPECT_GT(running, 0.1f);
    EXPECT_GT(Peak(heard.samples, 2.0, 2.4, 22050), running); // the shot adds to the engine
    EXPECT_GT(Peak(heard.samples, 2.9, 3.0, 22050), 0.1f);    // the engine runs on
}

TEST_F(RecordingTest, ARecordingStartsOnceAndEndsOnce)
{
    EXPECT_EQ(lib->endRecording(), 0);
    EXPECT_EQ(lib->beginRecording("a.wav", 0), 0);
    EXPECT_EQ(lib->beginRecording(nullptr, kRate), 0);
    EXPECT_EQ(lib->beginRecording("", kRate), 0);
    ASSERT_EQ(lib->beginRecording("a.wav", kRate), 1);
    EXPECT_EQ(lib->beginRecording("b.wav", kRate), 0);
    Advance(0.25);
    EXPECT_EQ(lib->endRecording(), 1);
    EXPECT_EQ(lib->endRecording(), 0);
    EXPECT_EQ(ReadWave("a.wav").samples.size(), std::size_t(0.25 * kRate));
    EXPECT_FALSE(std::filesystem::exists("b.wav"));
}

TEST_F(RecordingTest, AFileThatCannotBeWrittenLeavesNothingBehind)
{
    ASSERT_EQ(lib->beginRecording("missing/folder/out.wav", kRate), 1);
    Advance(0.2);
    EXPECT_EQ(lib->endRecording(), 0);
    EXPECT_FALSE(std::filesystem::exists("missing"));

    // The target is a folder: the finished mix cannot take its place.
    std::filesystem::create_directory("taken.wav");
    ASSERT_EQ(lib->beginRecording("taken.wav", kRate), 1);
    Advance(0.2);
    EXPECT_EQ(lib->endRecording(), 0);
    EXPECT_TRUE(std::filesystem::is_directory("taken.wav"));
    EXPECT_TRUE(std::filesystem::is_empty("taken.wav"));
    EXPECT_FALSE(std::filesystem::exists("taken.wav.partial"));
}

} // namespace
} // namespace soundlib_testing
