// The sound log file: its exact bytes, the limit of 101 entries per module, and a
// folder that takes no file.
#include <filesystem>
#include <fstream>

#include "tests/sound/sound_fixture.h"

namespace sound_testing {
namespace {

class SoundLogTest : public SoundTest {
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        UseProbeModules();
    }
};

std::string Numbered(int n) { return "entry " + std::to_string(n); }

TEST_F(SoundLogTest, FirstEntryCreatesTheFileWithItsHeader)
{
    Probe("VARLOK1").writeSoundLog("first", "");
    EXPECT_EQ(ReadLog(), "Orbiter Sound Log Started\n"
                         "*****************************\n"
                         "\n"
                         "--------------------------------------\n"
                         "first\n"
                         "\n");
}

TEST_F(SoundLogTest, LaterEntriesAddSeparatorMessageAndEmptyLineOnly)
{
    ConnectorProbe probe = Probe("VARLOK1");
    probe.writeSoundLog("first", "");
    probe.writeSoundLog("second", "");
    EXPECT_EQ(ReadLog(), LogOf({"first", "second"}));
}

TEST_F(SoundLogTest, MissingTextsAreLeftOutAfterTheSeparator)
{
    ConnectorProbe probe = Probe("VARLOK1");
    probe.writeSoundLog(nullptr, nullptr);
    probe.writeSoundLog("message", nullptr);
    probe.writeSoundLog(nullptr, "detail");
    std::string separator(38, '-');
    EXPECT_EQ(ReadLog(), kLogHeader + separator + "\n" + separator + "\nmessage\n" + separator +
                             "\ndetail\n");
}

TEST_F(SoundLogTest, AnExistingFileKeepsItsBytesAndGetsNoHeader)
{
    std::ofstream("OrbiterSound_Log.txt", std::ios::binary) << "written before\n";
    Probe("VARLOK1").writeSoundLog("first", "");
    EXPECT_EQ(ReadLog(), "written before\n" + LogEntry("first"));
}

TEST_F(SoundLogTest, The102ndEntryOfAModuleLeavesTheFileUnchanged)
{
    ConnectorProbe probe = Probe("VARLOK1");
    std::vector<std::string> written;
    for (int n = 1; n <= 101; ++n) {
        probe.writeSoundLog(Numbered(n).c_str(), "");
        written.push_back(Numbered(n));
    }
    ASSERT_EQ(ReadLog(), LogOf(written));
    probe.writeSoundLog(Numbered(102).c_str(), "");
    probe.writeSoundLog(Numbered(103).c_str(), "");
    EXPECT_EQ(ReadLog(), LogOf(written));
}

TEST_F(SoundLogTest, FailedConnectsCountTowardTheLimit)
{
    host::Vessel &rover = Create("rover-0", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");
    for (int n = 1; n < 101; ++n)
        probe.connect(nullptr);
    std::vector<std::string> written = {kNotInstalledMessage};
    written.insert(written.end(), 100, kNullHandleMessage);
    ASSERT_EQ(ReadLog(), LogOf(written));
    // The log is full, but the connect still fails the same way.
    EXPECT_EQ(probe.connect(rover.vessel->GetHandle()), -1);
    EXPECT_EQ(ReadLog(), LogOf(written));
}

TEST_F(SoundLogTest, TwoModulesInOneProcessEachCountTheirOwnEntries)
{
    ConnectorProbe rover = Probe("VARLOK1"), control = Probe("KELDOCONTROL");
    std::string expected = kLogHeader;
    for (int n = 1; n <= 101; ++n) {
        rover.writeSoundLog(("VARLOK1 " + Numbered(n)).c_str(), "");
        expected += LogEntry("VARLOK1 " + Numbered(n));
    }
    rover.writeSoundLog("VARLOK1 dropped", "");
    // The other module has written nothing yet, so its first entry is still taken.
    control.writeSoundLog("KELDOCONTROL first", "");
    expected += LogEntry("KELDOCONTROL first");
    EXPECT_EQ(ReadLog(), expected);
}

TEST_F(SoundLogTest, AFolderThatTakesNoLogFileDropsTheEntry)
{
    // A folder in the log's place: it can be neither opened nor created as a file.
    std::filesystem::create_directory("OrbiterSound_Log.txt");
    host::Vessel &rover = Create("rover", "VARLOK1");
    ConnectorProbe probe = Probe("VARLOK1");

    EXPECT_EQ(probe.soundIdOf(rover.vessel), -1);
    for (int n = 0; n < 150; ++n)
        probe.writeSoundLog(Numbered(n).c_str(), "");
    EXPECT_TRUE(std::filesystem::is_directory("OrbiterSound_Log.txt"));
    EXPECT_TRUE(std::filesystem::is_empty("OrbiterSound_Log.txt"));

    // Dropped entries do not count toward the limit.
    std::filesystem::remove("OrbiterSound_Log.txt");
    probe.writeSoundLog("after", "");
    EXPECT_EQ(ReadLog(), LogOf({"after"}));
}

} // namespace
} // namespace sound_testing
