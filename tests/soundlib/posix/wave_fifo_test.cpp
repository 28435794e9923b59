// Wave files that are no files, made in the test's own root (POSIX: FIFOs).
#include <sys/stat.h>

#include "tests/soundlib/soundlib_fixture.h"

namespace soundlib_testing {
namespace {

using WaveFifoTest = SoundLibraryTest;

// A FIFO where a wave belongs would block a read: it plays the stand-in tone instead.
TEST_F(WaveFifoTest, AWaveThatIsNoFilePlaysTheStandIn)
{
    std::filesystem::path root = UseOwnRoot();
    std::filesystem::create_directories(root / "Sound/Vessel/Varlok");
    ASSERT_EQ(mkfifo((root / "Sound/Vessel/Varlok/Varlok-start.wav").c_str(), 0600), 0);
    Create("rover", "VARLOK1");
    ASSERT_EQ(lib->playWave(0, 2, 0, 255, 0), 1);
    ExpectEndsBetween(0, 2, 0.95, 0.1);
}

} // namespace
} // namespace soundlib_testing
