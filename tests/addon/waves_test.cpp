// The built waves as the sound library will read them: 16-bit PCM mono at their rates,
// short, not clipped; the engine's running sound loops without a click, the one-shots
// end in silence.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generated/test_build.h"

namespace {

struct ExpectedWave {
    const char *file;
    int rate;
    bool loops; // played looped: its end must run on into its start
};

const ExpectedWave kWaves[] = {
    {"Varlok-go.wav", 11025, true},
    {"Varlok-start.wav", 22050, false},
    {"cannon.wav", 22050, false},
};

TEST(Waves, AreShortMonoPcmThatLoopOrFadeCleanly)
{
    for (const ExpectedWave &expected : kWaves) {
        SCOPED_TRACE(expected.file);
        std::string path = std::string(SIM_ROOT) + "/Sound/Vessel/Varlok/" + expected.file;
        SF_INFO info{};
        SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << path;
        std::vector<double> s(std::size_t(info.frames));
        sf_read_double(file, s.data(), info.frames);
        sf_close(file);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.samplerate, expected.rate);
        EXPECT_GT(info.frames, expected.rate / 2);
        EXPECT_LE(info.frames, 3 * expected.rate);

        double peak = 0, steps = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            peak = std::max(peak, std::abs(s[i]));
            if (i > 0)
                steps += (s[i] - s[i - 1]) * (s[i] - s[i - 1]);
        }
        double typicalStep = std::sqrt(steps / double(s.size() - 1));
        EXPECT_GT(peak, 0.5) << "too quiet";
        EXPECT_LT(peak, 0.99) << "at full scale: clipped";
        if (expected.loops)
            EXPECT_LT(std::abs(s.front() - s.back()), 3 * typicalStep) << "the loop clicks";
        else
            EXPECT_LT(std::abs(s.back()), 0.01) << "ends before it has died away";
    }
}

} // namespace
