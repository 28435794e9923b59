// On Windows the sound log is a text file with the system's line ends: the connector
// writes it in text mode, so every line it writes ends in CR LF.
#include <fstream>
#include <iterator>

#include "tests/sound/sound_fixture.h"

namespace sound_testing {
namespace {

class SoundLogLineEnds : public SoundTest {};

TEST_F(SoundLogLineEnds, EveryLineOfHeaderAndEntryEndsInCarriageReturnLineFeed)
{
    UseProbeModules();
    Probe("VARLOK1").writeSoundLog("first", "");
    std::ifstream file("OrbiterSound_Log.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(bytes, "Orbiter Sound Log Started\r\n"
                     "*****************************\r\n"
                     "\r\n"
                     "--------------------------------------\r\n"
                     "first\r\n"
                     "\r\n");
}

} // namespace
} // namespace sound_testing
