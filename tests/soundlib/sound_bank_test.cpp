// The library's sound bank on its own: options per id, and the frequency floor.
#include <gtest/gtest.h>

#include "soundlib/sound_bank.h"

namespace standin {
namespace {

TEST(SoundBank, OptionsAreKeptPerId)
{
    SoundBank bank;
    ASSERT_EQ(bank.IdOf(10), 0);
    ASSERT_EQ(bank.IdOf(11), 1);
    EXPECT_TRUE(bank.SetOption(0, 5, 0));
    EXPECT_TRUE(bank.SetOption(1, 17, 7));

    EXPECT_EQ(bank.Option(0, 5), 0);
    EXPECT_EQ(bank.Option(1, 5), SoundBank::kOptionDefault);
    EXPECT_EQ(bank.Option(1, 17), 7);
    EXPECT_EQ(bank.Option(0, 17), SoundBank::kOptionDefault);
}

TEST(SoundBank, OptionsOutsideOneToSeventeenAndUnknownIdsAreRefused)
{
    SoundBank bank;
    bank.IdOf(10);
    EXPECT_FALSE(bank.SetOption(0, 0, 0));
    EXPECT_FALSE(bank.SetOption(0, 18, 0));
    EXPECT_FALSE(bank.SetOption(1, 1, 0));
    EXPECT_FALSE(bank.SetOption(-1, 1, 0));
    for (int option = 1; option <= SoundBank::kOptionCount; ++option)
        EXPECT_EQ(bank.Option(0, option), SoundBank::kOptionDefault) << option;
}

TEST(SoundBank, VeryLowFrequenciesPlayAtTheFloor)
{
    SoundBank bank;
    bank.IdOf(10);
    Wave wave;
    wave.rate = 8000;
    wave.samples.assign(50, 0.5f); // 0.5 s at the 100 Hz floor
    ASSERT_TRUE(bank.Load(0, 1, wave));
    ASSERT_TRUE(bank.Play(0, 1, false, 255, 1, 0.0));
    EXPECT_TRUE(bank.IsPlaying(0, 1, 0.49));
    EXPECT_FALSE(bank.IsPlaying(0, 1, 0.51));
}

TEST(SoundBank, AnEmptyWaveNeverSounds)
{
    SoundBank bank;
    bank.IdOf(10);
    ASSERT_TRUE(bank.Load(0, 1, Wave{{}, 8000}));
    ASSERT_TRUE(bank.Play(0, 1, true, 255, 0, 0.0));
    EXPECT_FALSE(bank.IsPlaying(0, 1, 0.0));
}

} // namespace
} // namespace standin
