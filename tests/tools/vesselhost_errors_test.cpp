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

} // namespace
} // namespace vesselhost_test
