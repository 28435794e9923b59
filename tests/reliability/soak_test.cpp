// A short soak: vehicles of every module driven by seeded random input, with each sound
// library the host may have. The seed is printed; SOAK_SEED replays another one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/reliability/soak_run.h"
#include "tests/support/host_fixture.h"

namespace {

std::uint64_t Seed()
{
    const char *text = std::getenv("SOAK_SEED");
    return text ? std::stoull(text) : 20261208;
}

class ShortSoak : public testing_support::HostTest,
                  public ::testing::WithParamInterface<reliability::SoundLibrary> {};

TEST_P(ShortSoak, KeepsEveryInvariantAtEveryStep)
{
    reliability::SoakOptions options;
    options.seed = Seed() + std::uint64_t(GetParam());
    options.vehiclesPerClass = 3;
    options.simulatedSeconds = 60;
    std::cout << "soak seed " << options.seed << "\n";
    const auto result = reliability::RunSoak(options);
    for (const auto &violation : result.violations)
        ADD_FAILURE() << violation << " (seed " << options.seed << ")";
    // 9 vehicles for about 3000 steps of 0.01 to 0.03 s.
    EXPECT_GT(result.vehicleSteps, 9 * 2000);
    EXPECT_GT(result.events, result.vehicleSteps / 9) << "every step is checked";
    EXPECT_EQ(std::size_t(options.memorySamples + 1), result.memory.size());
}

std::string SoundLibraryName(const ::testing::TestParamInfo<reliability::SoundLibrary> &param)
{
    static const char *const kNames[] = {"Present", "Absent", "WithoutReplaceStock",
                                         "WithoutVesselId"};
    return kNames[int(param.param)];
}

INSTANTIATE_TEST_SUITE_P(SoundLibraries, ShortSoak,
                         ::testing::Values(reliability::SoundLibrary::Present,
                                           reliability::SoundLibrary::Absent,
                                           reliability::SoundLibrary::WithoutReplaceStock,
                                           reliability::SoundLibrary::WithoutVesselId),
                         SoundLibraryName);

TEST(MemoryGrowth, IsTheHighestLateSampleAboveTheWarmOne)
{
    std::vector<reliability::MemorySample> samples;
    for (long kib : {100, 500, 600, 650, 610, 640, 630, 620})
        samples.push_back({0, 0, kib});
    EXPECT_EQ(40, reliability::MemoryGrowthKiB(samples)); // 640 - 600: 650 is still early
    samples.back().residentKiB = 900;
    EXPECT_EQ(300, reliability::MemoryGrowthKiB(samples));
    EXPECT_EQ(0, reliability::MemoryGrowthKiB({samples.begin(), samples.begin() + 3}));
}

} // namespace
