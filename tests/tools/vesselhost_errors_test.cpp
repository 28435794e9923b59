// Bad input gives one clear error naming the file, the line and what was expected, a
// non-zero exit, and no summary.
#include "generated/test_build.h"
#include "tests/tools/vesselhost_fixture.h"

namespace vesselhost_test {
namespace {

struct BadCase {
    const char *what;
    std::string scenario;
    std::string root; // empty: the built root
    int line;
    const char *says;
};

std::vector<BadCase> BadCases()
{
    const std::string env = "SOUND OFF\n";
    return {
        {"unknown class", Scenario(env, "A:VARLOK1\nEND\nB:VARLOK9\nEND\n", ""), "", 7,
         "unknown class 'VARLOK9'; expected a class with a module in "},
        {"unknown key", Scenario(env, "A:VARLOK1\nEND\n", "1 A KEY K\n2 A KEY HYPER\n"), "", 10,
         "expected a key name"},
        {"time going backwards", Scenario(env, "A:VARLOK1\nEND\n", "3 A MAIN 1\n2 A MAIN 0\n"),
         "", 10, "goes back before the time of line 9"},
        {"missing values", Scenario(env, "A:VARLOK1\nEND\n", "1 A YAW\n"), "", 9,
         "expected a yaw level from -1 to 1 at the end of the line"},
        {"unknown vessel", Scenario(env, "A:VARLOK1\nEND\n", "1 B MAIN 1\n"), "", 9,
         "unknown vessel 'B'"},
        {"missing module", Scenario(env, "A:VARLOK1\nEND\n", ""), NO_INIT_ROOT, 5,
         "unknown class 'VARLOK1'; expected a class with a module in " NO_INIT_ROOT
         "/Modules (NOINIT)"},
        {"module without ovcInit", Scenario(env, "A:NOINIT\nEND\n", ""), NO_INIT_ROOT, 5,
         "exports no \"ovcInit\""},
    };
}

TEST_F(VesselhostTest, BadScenariosGiveOneErrorWithFileAndLine)
{
    for (const BadCase &bad : BadCases()) {
        SCOPED_TRACE(bad.what);
        Write("test.scn", bad.scenario);
        std::string root = bad.root.empty() ? "" : "--root " + Quote(bad.root) + " ";
        for (const char *command : {"run test.scn --trace t.jsonl", "check test.scn"}) {
            SCOPED_TRACE(command);
            Result r = Run(root + command);
            EXPECT_EQ(r.code, 2);
            EXPECT_EQ(r.out, "");
            std::string where = "vesselhost: test.scn:" + std::to_string(bad.line) + ": ";
            EXPECT_EQ(r.err.rfind(where, 0), 0u) << r.err;
            EXPECT_NE(r.err.find(bad.says), std::string::npos) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_EQ(OtherFiles({"test.scn"}), std::vector<std::string>{});
        }
    }
}

TEST_F(VesselhostTest, CheckAcceptsAGoodScenarioWithoutRunningIt)
{
    Write("test.scn", Scenario("STEP 0.05\nDURATION 2\nSOUND OFF\n",
                               "A:VARLOK1\nEND\nB:VARLOK3C\nEND\n", "1 A KEY K\n"));
    Result r = Run("check test.scn");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "test.scn: valid: 2 vessels, 1 input line, 40 steps of 0.05 s, sound off\n");
    EXPECT_FALSE(fs::exists(fs::path(SIM_ROOT) / "test.scn"));
}

TEST_F(VesselhostTest, UsageErrorsAndMissingFilesAreBadInput)
{
    EXPECT_EQ(Run("").code, 2);
    EXPECT_EQ(Run("run").code, 2);
    const std::string commands = "the commands are run, check, list, demo, help\n";
    Result unknown = Run("fly test.scn");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "vesselhost: unknown command 'fly'; " + commands);
    EXPECT_EQ(Run("help fly").err, "vesselhost: unknown command 'fly'; " + commands);
    Result help = Run("help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("demo"), std::string::npos) << help.out;
    help = Run("help run");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--telemetry"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("list the vessel classes"), std::string::npos) << "run's help only";
    Result version = Run("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("vesselhost ", 0), 0u) << version.out;
    Result r = Run("run none.scn");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "vesselhost: none.scn: cannot be read; expected a scenario file\n");
    r = Run("--root " + Quote(dir.string()) + " list");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("expected a simulator root folder with a Modules folder"),
              std::string::npos);
    EXPECT_EQ(Run("--help").code, 0);
}

// Option values that are not numbers or make an empty window; text from a scenario
// that would drive the terminal; the generators' outputs that are their own inputs.
TEST_F(VesselhostTest, OptionValuesTextAndGeneratorOutputsAreChecked)
{
    Write("test.scn", Scenario("DURATION 0.2\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    const struct {
        const char *options, *message;
    } rows[] = {
        {"--trace-from nan",
         "vesselhost: --trace-from: expected a finite time in seconds, found nan\n"},
        {"--trace-to -nan",
         "vesselhost: --trace-to: expected a finite time in seconds, found -nan\n"},
        {"--trace-from inf",
         "vesselhost: --trace-from: expected a finite time in seconds, found inf\n"},
        {"--trace-from 5 --trace-to 2", "vesselhost: --trace-from 5 is after --trace-to 2; "
                                        "expected a window from an earlier time to a later one\n"},
    };
    for (const auto &row : rows) {
        Result r = Run(std::string("run test.scn --no-progress --trace t.jsonl ") + row.options);
        EXPECT_EQ(r.code, 2) << row.options;
        EXPECT_EQ(r.err, row.message);
    }
    EXPECT_EQ(
        Run("run test.scn --no-progress --trace t.jsonl --trace-from 0.1 --trace-to 0.1").code, 0);

    Write("escape.scn", "BEGIN_DESC\nred \x1b[31m\r\x7f \xc2\x9b"
                        "2J caf\xc3\xa9\tend\nEND_DESC\n" +
                            Scenario("SOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    Result r = Run("check escape.scn");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("red \\x1b[31m\\x0d\\x7f \\x9b2J caf\xc3\xa9\tend\n"), std::string::npos)
        << r.out;

    for (const char *output : {"parts.txt", "common.txt"}) {
        Write("common.txt", "material grey 0.5 0.5 0.5\n");
        Write("parts.txt", "include common.txt\n0 body grey box 0 1 0 1 0 1\n");
        std::string command = "cd " + Quote(dir.string()) + " && " + Quote(MESHGEN_PATH) +
                              " parts.txt " + output + " 2>err.txt";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2) << output;
        EXPECT_NE(ReadFile(dir / "err.txt").find("is an input of the run"), std::string::npos)
            << ReadFile(dir / "err.txt");
        EXPECT_EQ(ReadFile(dir / "common.txt"), "material grey 0.5 0.5 0.5\n");
    }
    std::string command = "cd " + Quote(dir.string()) + " && echo hi | " +
                          Quote(WRITE_OUTPUT_PATH) + " copy.txt && " + Quote(WRITE_OUTPUT_PATH) +
                          " copy.txt <copy.txt 2>err.txt; echo $? >code";
    std::system(command.c_str());
    EXPECT_EQ(ReadFile(dir / "code"), "2\n") << ReadFile(dir / "err.txt");
    EXPECT_EQ(ReadFile(dir / "copy.txt"), "hi\n");
}

} // namespace
} // namespace vesselhost_test
