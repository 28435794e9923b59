// The recorder on its own: a sound that starts between two output samples.
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

} // namespace
} // namespace standin
