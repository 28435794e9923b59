// The scenario format: what a scenario says, and one clear error with file and line for
// every way a scenario can be wrong.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "host/base/host_error.h"
#include "host/scenario/scenario.h"

namespace {

using host::InputAction;
using host::ParseScenario;

const char kExample[] = R"(BEGIN_ENVIRONMENT
  STEP 0.02        ; step length in seconds
  DURATION 30      ; simulated seconds
  SOUND ON         ; ON or OFF: whether the sound library is loaded
  PHYSICS ON       ; ON, or OFF to script the readings below
END_ENVIRONMENT
BEGIN_FOCUS
  Ship V1
END_FOCUS
BEGIN_SHIPS
V1:VARLOK3C
  POS 0 0          ; x z in metres on the ground plane
  HEADING 0        ; degrees
END
END_SHIPS
BEGIN_INPUT
  ; time vessel action values; an action holds until changed, or for N s with FOR N
  0.5  V1  KEY K                ; by name (1 2 5 6 7 8 W D K ...) or by scan code (KEY 37)
  1.0  V1  MAIN 1.0
  5.0  V1  MAIN 0
  5.0  V1  YAW -0.6 FOR 2
  8.0  V1  RETRO 0.5 FOR 1
  9.0  V1  VISUAL OFF          ; VISUAL ON / OFF: create or destroy the vessel's visual
  10.0 FOCUS V1
  ; with PHYSICS OFF: AIRSPEED v, AIRVEC x y z, GROUND ON|OFF set what the host reports
END_INPUT
)";

// A scenario with two ships and the given lines as its input section, from line 10 on.
std::string WithInput(const std::string &lines, const std::string &environment = "")
{
    return "BEGIN_ENVIRONMENT\n" + environment +
           "END_ENVIRONMENT\n" // lines 1..
           "BEGIN_SHIPS\n"
           "A:VARLOK1\n"
           "END\n"
           "B:KELDOCONTROL\n"
           "END\n"
           "END_SHIPS\n"
           "BEGIN_INPUT\n" +
           lines + "END_INPUT\n";
}

// The message of the error that parsing `text` gives; fails the test when there is none.
std::string ScenarioErrorOf(const std::string &text)
{
    try {
        ParseScenario(text, "test.scn");
    } catch (const host::Error &e) {
        return e.what();
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return "";
}

TEST(ScenarioFormat, TheDocumentedExampleSaysWhatItShows)
{
    host::Scenario s = ParseScenario(kExample, "example.scn");
    EXPECT_EQ(s.file, "example.scn");
    EXPECT_EQ(s.step, 0.02);
    EXPECT_EQ(s.duration, 30);
    EXPECT_TRUE(s.sound);
    EXPECT_TRUE(s.physics);
    EXPECT_EQ(s.StepCount(), 1500);
    ASSERT_EQ(s.ships.size(), 1u);
    EXPECT_EQ(s.ships[0].name, "V1");
    EXPECT_EQ(s.ships[0].className, "VARLOK3C");
    EXPECT_EQ(s.ships[0].line, 11);
    EXPECT_EQ(s.focus, 0);

    ASSERT_EQ(s.events.size(), 7u);
    const host::ScenarioEvent &key = s.events[0];
    EXPECT_EQ(key.action, InputAction::Key);
    EXPECT_EQ(key.key, 37u);
    EXPECT_EQ(key.time, 0.5);
    EXPECT_EQ(key.line, 18);
    EXPECT_EQ(s.events[1].action, InputAction::Main);
    EXPECT_EQ(s.events[1].value[0], 1.0);
    EXPECT_FALSE(s.events[1].holdFor);
    EXPECT_EQ(s.events[3].action, InputAction::Yaw);
    EXPECT_EQ(s.events[3].value[0], -0.6);
    EXPECT_EQ(s.events[3].holdFor, 2.0);
    EXPECT_EQ(s.events[4].action, InputAction::Retro);
    EXPECT_EQ(s.events[4].holdFor, 1.0);
    EXPECT_EQ(s.events[5].action, InputAction::Visual);
    EXPECT_FALSE(s.events[5].on);
    EXPECT_EQ(s.events[6].action, InputAction::Focus);
    EXPECT_EQ(s.events[6].vessel, 0);
}

TEST(ScenarioFormat, DefaultsFillWhatIsNotSaidAndTheFocusIsTheFirstShip)
{
    host::Scenario s = ParseScenario("BEGIN_SHIPS\nA:VARLOK1\nEND\nB:VARLOK1\nPOS 3 -4\n"
                                     "HEADING -90\nEND\nEND_SHIPS\n",
                                     "t.scn");
    EXPECT_EQ(s.step, 0.02);
    EXPECT_EQ(s.duration, 10);
    EXPECT_TRUE(s.sound);
    EXPECT_TRUE(s.physics);
    EXPECT_EQ(s.focus, 0);
    EXPECT_EQ(s.ships[1].x, 3);
    EXPECT_EQ(s.ships[1].z, -4);
    EXPECT_EQ(s.ships[1].heading, -90);
    EXPECT_TRUE(s.events.empty());
}

TEST(ScenarioFormat, CommentsBlankLinesTabsAndWindowsLineEndsAreFine)
{
    host::Scenario s = ParseScenario("; a comment\r\n\r\nBEGIN_SHIPS\t; ships\r\n"
                                     "\tA:VARLOK1 ;x\r\nEND\r\nEND_SHIPS\r\n"
                                     "BEGIN_INPUT\r\n 1\tA\tMAIN\t0.5\t;go\r\nEND_INPUT",
                                     "t.scn");
    ASSERT_EQ(s.events.size(), 1u);
    EXPECT_EQ(s.events[0].value[0], 0.5);
    EXPECT_EQ(s.events[0].line, 8);
}

TEST(ScenarioFormat, AByteOrderMarkIsSkippedAndEachShipHasItsOwnSettings)
{
    host::Scenario s = ParseScenario("\xEF\xBB\xBF"
                                     "BEGIN_SHIPS\nA:VARLOK1\nPOS 1 2\nEND\n"
                                     "B:VARLOK1\nPOS 3 4\nEND\nEND_SHIPS\n",
                                     "t.scn");
    ASSERT_EQ(s.ships.size(), 2u);
    EXPECT_EQ(s.ships[1].x, 3);
    EXPECT_TRUE(s.warnings.empty());
}

TEST(ScenarioFormat, InputAfterTheLastStepStartsIsAWarningNamingItsLine)
{
    // STEP 0.5, DURATION 2: the last step starts at 1.5 s.
    host::Scenario s = ParseScenario(
        WithInput("1.5 A MAIN 1\n1.6 A MAIN 0\n3 B KEY K\n", "STEP 0.5\nDURATION 2\n"), "t.scn");
    EXPECT_EQ(s.events.size(), 3u);
    ASSERT_EQ(s.warnings.size(), 1u);
    EXPECT_EQ(s.warnings[0], "t.scn:13: input at 1.6 s and 1 more come after "
                             "the last step starts (1.5 s, DURATION 2 s), so the run never "
                             "delivers them");
    EXPECT_TRUE(ParseScenario(WithInput("1.5 A MAIN 1\n", "STEP 0.5\nDURATION 2\n"), "t.scn")
                    .warnings.empty());
}

TEST(ScenarioFormat, DescriptionIsKeptAsWritten)
{
    host::Scenario s = ParseScenario("BEGIN_DESC\n  Drive; then stop.\nEND_DESC\n"
                                     "BEGIN_SHIPS\nA:VARLOK1\nEND\nEND_SHIPS\n",
                                     "t.scn");
    EXPECT_EQ(s.description, "  Drive; then stop.\n"); // the comment sign is text here
}

TEST(ScenarioFormat, KeysByNameOrByScanCode)
{
    const struct {
        const char *written;
        unsigned code;
    } kKeys[] = {{"1", 2},  {"2", 3},      {"5", 6},   {"8", 9},   {"W", 17},
                 {"D", 32}, {"K", 37},     {"k", 37},  {"37", 37}, {"0x25", 37},
                 {"05", 5}, {"SPACE", 57}, {"F1", 59}, {"0", 11},  {"255", 255}};
    for (const auto &key : kKeys) {
        host::Scenario s =
            ParseScenario(WithInput(std::string("0 A KEY ") + key.written + "\n"), "t.scn");
        EXPECT_EQ(s.events[0].key, key.code) << key.written;
    }
    EXPECT_EQ(host::KeyName(37), "K");
    EXPECT_EQ(host::KeyName(250), "250");
}

TEST(ScenarioFormat, ScriptedReadingsWithThePhysicsOff)
{
    host::Scenario s = ParseScenario(WithInput("0 A AIRSPEED 20 FOR 1.5\n"
                                               "0 A AIRVEC 0 0 -20\n"
                                               "0 B GROUND ON\n",
                                               "PHYSICS OFF\nSOUND OFF\n"),
                                     "t.scn");
    EXPECT_FALSE(s.physics);
    EXPECT_FALSE(s.sound);
    EXPECT_EQ(s.events[0].action, InputAction::Airspeed);
    EXPECT_EQ(s.events[0].holdFor, 1.5);
    EXPECT_EQ(s.events[1].value[2], -20);
    EXPECT_EQ(s.events[2].vessel, 1);
    EXPECT_TRUE(s.events[2].on);
}

TEST(ScenarioFormat, EventsAtOneTimeKeepTheirFileOrder)
{
    host::Scenario s =
        ParseScenario(WithInput("2 B KEY D\n2 A KEY K\n2 FOCUS B\n2 A MAIN 1\n"), "t.scn");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].vessel, 1);
    EXPECT_EQ(s.events[1].key, 37u);
    EXPECT_EQ(s.events[2].action, InputAction::Focus);
    EXPECT_EQ(s.events[3].action, InputAction::Main);
}

TEST(ScenarioFormat, StepCountCoversTheDuration)
{
    host::Scenario s;
    s.step = 0.02;
    s.duration = 30;
    EXPECT_EQ(s.StepCount(), 1500);
    s.step = 0.03;
    s.duration = 0.1;
    EXPECT_EQ(s.StepCount(), 4);
    s.duration = 0;
    EXPECT_EQ(s.StepCount(), 0);
}

TEST(ScenarioErrors, EachNamesFileLineAndWhatWasExpected)
{
    std::string longDescription = "BEGIN_DESC\n";
    for (int i = 0; i < 20; ++i)
        longDescription += std::string(1000, 'd') + "\n";
    const struct {
        std::string text;
        int line;
        const char *says;
    } kCases[] = {
        {WithInput("1 A KEY Q1\n"), 10, "expected a key name"},
        {WithInput("1 A KEY 256\n"), 10, "scan code from 1 to 255"},
        {WithInput("2 A MAIN 1\n1 A MAIN 0\n"), 11, "goes back before the time of line 10"},
        {WithInput("1 A MAIN\n"), 10, "expected a throttle level from 0 to 1 at the end"},
        {WithInput("1 A AIRVEC 1 2\n", "PHYSICS OFF\n"), 11, "expected the vector's z"},
        {WithInput("1 A MAIN 1.5\n"), 10, "expected a throttle level from 0 to 1, found '1.5'"},
        {WithInput("1 A YAW x\n"), 10, "expected a yaw level from -1 to 1, found 'x'"},
        {WithInput("1 C MAIN 1\n"), 10,
         "unknown vessel 'C'; expected a ship of BEGIN_SHIPS (A, B)"},
        {WithInput("1 A JUMP\n"), 10, "expected an action"},
        {WithInput("1 A MAIN 1 2\n"), 10, "unexpected '2'"},
        {WithInput("1 A KEY K FOR 2\n"), 10, "FOR applies to MAIN"},
        {WithInput("1 A MAIN 1 FOR 0\n"), 10, "expected a time span above 0 s"},
        {WithInput("1 A MAIN 1 FOR\n"), 10, "after FOR at the end of the line"},
        {WithInput("1 A AIRSPEED 3\n"), 10, "expected PHYSICS OFF"},
        {WithInput("1 A GROUND MAYBE\n", "PHYSICS OFF\n"), 11, "expected ON or OFF"},
        {WithInput("-1 A MAIN 1\n"), 10, "expected a time in seconds from 0 to 1e9"},
        {WithInput("nan A MAIN 1\n"), 10, "expected a time in seconds"},
        {WithInput("1 FOCUS C\n"), 10, "unknown vessel 'C'"},
        {WithInput("", "STEP 0\n"), 2, "expected a step length above 0"},
        {WithInput("", "STEP inf\n"), 2, "expected a step length in seconds"},
        {WithInput("", "DURATION\n"), 2, "expected a duration in seconds from 0 to 1e9 at the end"},
        {WithInput("", "SOUND YES\n"), 2, "expected ON or OFF, found 'YES'"},
        {WithInput("", "GRAVITY 1\n"), 2,
         "expected STEP, DURATION, SOUND, PHYSICS or END_ENVIRONMENT"},
        {WithInput("", "STEP 0.001\nDURATION 100000\n"), 3, "expected at most 10000000 steps"},
        {"BEGIN_SHIPS\nA:VARLOK1\nEND\n", 3, "expected END_SHIPS before the end of the file"},
        {"BEGIN_SHIPS\nA:VARLOK1\n", 2, "expected END before the end of the file"},
        {"BEGIN_SHIPS\nA:VARLOK1\nEND\nA:VARLOK3C\nEND\nEND_SHIPS\n", 4,
         "a second ship named 'A' (the first is on line 2)"},
        {"BEGIN_SHIPS\nVARLOK1\nEND_SHIPS\n", 2, "expected a ship as NAME:CLASS"},
        {"BEGIN_SHIPS\nA:../VARLOK1\nEND_SHIPS\n", 2, "expected a class name"},
        {"BEGIN_SHIPS\nFOCUS:VARLOK1\nEND_SHIPS\n", 2, "expected a ship name"},
        {"BEGIN_SHIPS\nA:VARLOK1\nPOS 1\nEND\nEND_SHIPS\n", 3, "expected z in metres"},
        {"BEGIN_SHIPS\nA:VARLOK1\nSTATUS Landed\nEND\nEND_SHIPS\n", 3,
         "expected POS, HEADING or END"},
        {"BEGIN_SHIPS\nEND_SHIPS\n", 2, "expected at least one ship"},
        {"", 1, "expected at least one ship"},
        {"BEGIN_SHIPS\nA:VARLOK1\nEND\nEND_SHIPS\nBEGIN_SHIPS\n", 5, "a second BEGIN_SHIPS"},
        {"BEGIN_FOCUS\nShip Z\nEND_FOCUS\nBEGIN_SHIPS\nA:VARLOK1\nEND\nEND_SHIPS\n", 2,
         "unknown focus vessel 'Z'"},
        {"BEGIN_FOCUS\nVessel A\nEND_FOCUS\n", 2, "expected 'Ship NAME' or END_FOCUS"},
        {"HELLO\n", 1,
         "expected BEGIN_DESC, BEGIN_ENVIRONMENT, BEGIN_FOCUS, BEGIN_SHIPS or BEGIN_INPUT"},
        {"BEGIN_SHIPS\n" + std::string(host::kMaxLineLength + 1, 'x') + "\n", 2,
         "expected a line of at most 1024 characters"},
        // A setting or a section given twice names both lines; every limit is named.
        {WithInput("", "STEP 0.1\nSTEP 0.2\n"), 3, "a second STEP (the first is on line 2)"},
        {WithInput("", "SOUND ON\nPHYSICS ON\nSOUND OFF\n"), 4,
         "a second SOUND (the first is on line 2)"},
        {"BEGIN_SHIPS\nA:VARLOK1\nPOS 1 2\nHEADING 3\nPOS 1 2\nEND\nEND_SHIPS\n", 5,
         "a second POS (the first is on line 3)"},
        {"BEGIN_FOCUS\nShip A\nShip A\nEND_FOCUS\n", 3, "a second Ship (the first is on line 2)"},
        {"BEGIN_ENVIRONMENT\nEND_ENVIRONMENT\nBEGIN_ENVIRONMENT\n", 3,
         "a second BEGIN_ENVIRONMENT section (the first is on line 1)"},
        {"BEGIN_SHIPS\n" + std::string(65, 'N') + ":VARLOK1\n", 2,
         "expected a name of at most 64 characters, found 65"},
        {"BEGIN_SHIPS\nA:VARLOK1\nPOS 1e8 0\n", 3, "expected x in metres from -1e7 to 1e7"},
        {WithInput("1 A MAIN 1 FOR 2e9\n"), 10, "at most 1e9 s after FOR"},
        {WithInput("1 A AIRSPEED 2e6\n", "PHYSICS OFF\n"), 11, "m/s from 0 to 1e6"},
        {longDescription, 18, "expected a description of at most 16384 bytes"},
    };
    for (const auto &c : kCases) {
        std::string message = ScenarioErrorOf(c.text);
        std::string where = "test.scn:" + std::to_string(c.line) + ": ";
        EXPECT_EQ(message.rfind(where, 0), 0u) << message << "\nwanted at " << where;
        EXPECT_NE(message.find(c.says), std::string::npos) << message << "\nwanted: " << c.says;
    }
}

TEST(ScenarioErrors, UnknownClassNamesTheShipsLineAndTheClassesThere)
{
    host::Scenario s =
        ParseScenario("BEGIN_SHIPS\nA:VARLOK1\nEND\nB:TANK\nEND\nEND_SHIPS\n", "t.scn");
    try {
        host::CheckClasses(s, {"KELDOCONTROL", "VARLOK1"}, "/root/Modules");
        FAIL() << "no error";
    } catch (const host::Error &e) {
        EXPECT_STREQ(e.what(), "t.scn:4: unknown class 'TANK'; expected a class with a module "
                               "in /root/Modules (KELDOCONTROL, VARLOK1)");
    }
    EXPECT_NO_THROW(
        host::CheckClasses(ParseScenario("BEGIN_SHIPS\nA:VARLOK1\nEND\nEND_SHIPS\n", "t.scn"),
                           {"VARLOK1"}, "/root/Modules"));
}

TEST(ScenarioErrors, UnreadableFileNamesIt)
{
    try {
        host::LoadScenario("/nonexistent/none.scn");
        FAIL() << "no error";
    } catch (const host::Error &e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/none.scn: cannot be read"),
                  std::string::npos);
    }
}

TEST(ScenarioErrors, ControlBytesInATokenAreShownEscaped)
{
    std::string message = ScenarioErrorOf(WithInput(std::string("1 A KEY \x01\xff\n")));
    EXPECT_NE(message.find("'\\x01\\xff'"), std::string::npos) << message;
}

// Mangled scenarios either parse or give host::Error; nothing else escapes, nothing hangs.
TEST(ScenarioErrors, MangledTextParsesOrFailsCleanly)
{
    const std::string base = kExample + std::string("BEGIN_DESC\nx\nEND_DESC\n");
    // clang-format off
    const std::string pieces[] = {"\n",  " ",   ";",         ":",  "END",
                                  "FOR", "-",   "1e308",     "0x", "KEY",
                                  "\r",  "V1",  "END_SHIPS\n", "9",  "BEGIN_INPUT\n",
                                  std::string(1, '\0')};
    // clang-format on
    unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        std::string text = base;
        int edits = 1 + int(random() % 6);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            std::size_t at = random() % text.size();
            switch (random() % 4) {
            case 0:
                text.erase(at, 1 + random() % 20);
                break;
            case 1:
                text.insert(at, pieces[random() % std::size(pieces)]);
                break;
            case 2:
                text[at] = char(random());
                break;
            default:
                text.insert(at, text.substr(random() % text.size(), random() % 80));
                break;
            }
        }
        try {
            ParseScenario(text, "fuzz.scn");
        } catch (const host::Error &e) {
            ASSERT_EQ(std::string(e.what()).rfind("fuzz.scn:", 0), 0u) << e.what();
        }
    }
}

} // namespace
