// The recorder on its own: a sound that starts between two output samples; a loud mix.
#include <gtest/gtest.h>

#include <sndfile.h>

#include "soundlib/recorder.h"
#include "tests/support/host_fixture.h"

namespace standin {
namespace {

using RecorderTest = testing_support::HostTest; // for its fresh working folder

TEST_F(RecorderTest, ASoundStartingBetweenTwoSamplesIsHeardFromTheNextOne)
{
    SoundBank bank;
    bank.IdOf(10);
    Wave wave;
    wave.rate = 48000;
    wave.samples.assign(48000, 0.5f);
    bank.Load(0, 1, wave);

    Recorder recorder;
    ASSERT_TRUE(recorder.Begin("between.wav", 1000, 0.0));
    // Half a sample in: the first output sample, at 0 s, is not yet mixed.
    recorder.AdvanceTo(0.0005, bank);
    bank.Play(0, 1, true, 255, 0, 0.0005);
    ASSERT_TRUE(recorder.End(0.01, bank));

    SF_INFO info{};
    SNDFILE *file = sf_open("between.wav", SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> heard(std::size_t(info.frames));
    sf_readf_float(file, heard.data(), info.frames);
    sf_close(file);
    ASSERT_EQ(heard.size(), 10u);
    EXPECT_EQ(heard[0], 0.0f);
    for (std::size_t i = 1; i < heard.size(); ++i)
        EXPECT_NEAR(heard[i], 0.5f, 1e-4) << i;
}

// Four full loops of 0.8 sum to 3.2: the limiter brings the whole mix to its ceiling,
// where the file would otherwise clip at full scale.
TEST_F(RecorderTest, ALoudMixIsLimitedToTheCeilingAndNeverClips)
{
    SoundBank bank;
    Wave wave;
    wave.rate = 1000;
    wave.samples.assign(1000, 0.8f);
    for (int id = 0; id < 4; ++id) {
        bank.IdOf(10 + id);
        bank.Load(id, 1, wave);
        bank.Play(id, 1, true, 255, 0, 0.0);
    }
    Recorder recorder;
    ASSERT_TRUE(recorder.Begin("loud.wav", 1000, 0.0));
    ASSERT_TRUE(recorder.End(1.0, bank));

    SF_INFO info{};
    SNDFILE *file = sf_open("loud.wav", SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> heard(std::size_t(info.frames));
    sf_readf_float(file, heard.data(), info.frames);
    sf_close(file);
    ASSERT_EQ(heard.size(), 1000u);
    for (std::size_t i = 0; i < heard.size(); ++i)
        ASSERT_NEAR(heard[i], Recorder::kLimiterCeiling, 1e-4) << i;
}

} // namespace
} // namespace standin
