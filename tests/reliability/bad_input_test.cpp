// Bad input to vesselhost, end to end: one line of error naming the file (and the line
// where there is one) and what was expected, a non-zero exit, and no output of the run
// left behind, half-written or whole.
#include "generated/test_build.h"
#include "tests/tools/vesselhost_fixture.h"

namespace vesselhost_test {
namespace {

const std::string kOneVehicle =
    Scenario("DURATION 0.2\nSOUND OFF\n", "A:VARLOK1\nEND\n", "0.1 A KEY K\n");
const std::string kAllOutputs = "--trace t.jsonl --telemetry t.csv --picture t.png";

class BadInput : public VesselhostTest {
protected:
    // A root of the test's own with the built modules, for files broken on purpose.
    fs::path MakeRoot()
    {
        fs::path root = dir / "root";
        fs::create_directories(root / "Modules");
        for (const char *module : {"VARLOK1.so", "VARLOK3C.so", "KELDOCONTROL.so"})
            fs::create_symlink(fs::path(SIM_ROOT) / "Modules" / module, root / "Modules" / module);
        return root;
    }

    Result RunIn(const fs::path &root, const std::string &command)
    {
        return Run("--root " + Quote(root.string()) + " " + command);
    }

    // One line on stderr, starting with `start`, that says `says`; nothing on stdout.
    static void ExpectOneError(const Result &r, int code, const std::string &start,
                               const std::string &says)
    {
        EXPECT_EQ(r.code, code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("vesselhost: " + start, 0), 0u) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
};

TEST_F(BadInput, ScenarioThatCannotBeReadOrIsNoScenario)
{
    fs::create_directory(dir / "folder.scn");
    ExpectOneError(Run("run folder.scn"), 2, "folder.scn: cannot be read",
                   "expected a scenario file");
    Write("empty.scn", "");
    ExpectOneError(Run("check empty.scn"), 2, "empty.scn:1: ", "expected at least one ship");
    // clang-format off
    Write("binary.scn", std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10) + "\n\xff\xfe");
    // clang-format on
    ExpectOneError(Run("run binary.scn " + kAllOutputs), 2, "binary.scn:1: ",
                   "expected BEGIN_DESC, BEGIN_ENVIRONMENT");
    EXPECT_EQ(OtherFiles({"folder.scn", "empty.scn", "binary.scn"}), std::vector<std::string>{});
}

TEST_F(BadInput, BrokenMeshStopsTheRunAtItsFileAndLine)
{
    fs::path root = MakeRoot();
    fs::create_directories(root / "Meshes");
    std::ofstream(root / "Meshes" / "VARLOK.msh") << "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n";
    Write("test.scn", kOneVehicle);
    ExpectOneError(RunIn(root, "run test.scn --no-progress " + kAllOutputs), 2,
                   (root / "Meshes" / "VARLOK.msh").string() + ":4: ",
                   "expected 3 vertices in group 0 (1 read), found the end of the file");
    EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
    ExpectOneError(RunIn(root, "check test.scn"), 2,
                   (root / "Meshes" / "VARLOK.msh").string() + ":4: ", "expected 3 vertices");
}

TEST_F(BadInput, ModuleFileThatIsNotALibrary)
{
    fs::path root = MakeRoot();
    fs::remove(root / "Modules" / "VARLOK1.so");
    std::ofstream(root / "Modules" / "VARLOK1.so") << "not a library\n";
    Write("test.scn", kOneVehicle);
    const std::string module = (root / "Modules" / "VARLOK1.so").string();
    ExpectOneError(RunIn(root, "run test.scn --no-progress " + kAllOutputs), 2, "test.scn:6: ",
                   "vessel A of class VARLOK1 cannot be created: " + module +
                       ": cannot be loaded as a library");
    ExpectOneError(RunIn(root, "check test.scn"), 2, "test.scn:6: ",
                   "vessel A of class VARLOK1 cannot be created: " + module +
                       ": cannot be loaded as a library");
    EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
    Result list = RunIn(root, "list");
    EXPECT_EQ(list.code, 2);
    EXPECT_NE(list.out.find("VARLOK1        cannot be used: " + module), std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("VARLOK3C       version"), std::string::npos) << "the others still list";
}

TEST_F(BadInput, SoundLibraryThatIsNotALibraryStopsTheRun)
{
    fs::path root = MakeRoot();
    std::ofstream(root / "OrbiterSound.dll") << "MZ but nothing more\n";
    Write("test.scn", Scenario("DURATION 0.2\n", "A:VARLOK3C\nEND\n", ""));
    ExpectOneError(RunIn(root, "run test.scn --no-progress " + kAllOutputs), 2,
                   (root / "OrbiterSound.dll").string() + ": ", "cannot be loaded as a library");
    EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
}

// A sound library lacking an entry point is the simulator's ordinary case of a missing
// or old OrbiterSound: the vehicles log it and run silent; nothing fails.
TEST_F(BadInput, SoundLibraryLackingAnEntryPointLeavesTheVehiclesSilent)
{
    fs::path root = MakeRoot();
    fs::copy_file(SOUND_VARIANTS "/sound_without_vessel_id/OrbiterSound.dll",
                  root / "OrbiterSound.dll");
    Write("test.scn", Scenario("DURATION 0.2\n", "A:VARLOK3C\nEND\n", "0.1 A KEY K\n"));
    Result r = RunIn(root, "run test.scn --no-progress --trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(ReadFile(root / "OrbiterSound_Log.txt").find("ERR03"), std::string::npos);
    for (const auto &call : TraceLines(ReadFile(dir / "t.jsonl")))
        EXPECT_NE(call["call"], "PlayVesselWaveOBSound3") << "no sound with sound id -1";
}

TEST_F(BadInput, AudioFromASoundLibraryThatCannotRecordIsNotWritten)
{
    fs::path root = MakeRoot();
    fs::copy_file(WITHOUT_RECORDING "/OrbiterSound.dll", root / "OrbiterSound.dll");
    Write("test.scn", Scenario("DURATION 0.2\n", "A:VARLOK3C\nEND\n", ""));
    ExpectOneError(RunIn(root, "run test.scn --no-progress --audio a.wav " + kAllOutputs), 1,
                   (dir / "a.wav").string() + ": ",
                   "the sound library " + (root / "OrbiterSound.dll").string() + " cannot record");
    EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
}

TEST_F(BadInput, AnOutputThatCannotBeWrittenLeavesNoOutputBehind)
{
    Write("test.scn", Scenario("DURATION 0.2\n", "A:VARLOK3C\nEND\n", ""));
    const std::vector<std::pair<std::string, std::string>> outputs = {
        {"--trace", "t.jsonl"}, {"--telemetry", "t.csv"}, {"--audio", "a.wav"},
        {"--picture", "p.png"}};
    const std::string missing = (dir / "missing" / "out").string();
    for (const auto &[broken, unused] : outputs) {
        SCOPED_TRACE(broken);
        std::string options;
        for (const auto &[option, file] : outputs)
            options += " " + option + " " + (option == broken ? Quote(missing) : file);
        ExpectOneError(Run("run test.scn --no-progress" + options), 2,
                       std::string(broken).append(" ").append(missing).append(": "),
                       "its folder " + (dir / "missing").string() + " does not exist");
        EXPECT_EQ(OtherFiles({"test.scn"}), std::vector<std::string>{});
    }
    std::string all;
    for (const auto &[option, file] : outputs)
        all.append(" ").append(option).append(" ").append(file);
    ASSERT_EQ(Run("run test.scn --no-progress" + all).code, 0) << "the same outputs can be written";
    EXPECT_EQ(OtherFiles({"test.scn", "t.jsonl", "t.csv", "a.wav", "p.png"}),
              std::vector<std::string>{});
}

// Every output path is checked before the first step: refused with exit 2, nothing
// written, nothing replaced.
TEST_F(BadInput, OutputPathsThatWouldHarmAreRefusedBeforeTheRun)
{
    fs::path root = MakeRoot();
    fs::create_directory(root / "Meshes");
    const std::string scenario = kOneVehicle;
    Write("test.scn", scenario);
    fs::create_directory(dir / "folder");
    fs::create_symlink("test.scn", dir / "scenario-link");
    const std::string rootMeshes = (root / "Meshes" / "new.msh").string();
    const struct {
        std::string options, start, says;
    } rows[] = {
        {"--trace ''", "--trace: ", "expected a file name, found an empty one"},
        {"--telemetry folder", "--telemetry " + (dir / "folder").string(), "is a folder"},
        {"--trace test.scn", "--trace ", "is an input of the run"},
        {"--picture scenario-link", "--picture ", "is an input of the run"},
        {"--trace " + Quote(rootMeshes), "--trace " + rootMeshes, "is an input of the run"},
        {"--telemetry root/Modules/VARLOK1.so", "--telemetry ", "is an input of the run"},
        {"--trace x --telemetry x", "--telemetry ", "is also the file of --trace"},
        {"--trace x --picture ./x", "--picture ", "is also the file of --trace"},
        {"--trace - --telemetry -", "--telemetry -: ", "standard output is already taken"},
        {"--audio -", "--audio -: ", "takes only the trace and the telemetry"},
        {"--picture p.png --picture-at 0,0.1 --trace p-0.1s.png", "--picture ",
         "is also the file of --trace"},
        {"--picture p.png --picture-at 0,0.1 --summary p-0s.png", "--summary ",
         "is also the file of --picture"},
        {"--picture p.png --picture-at -0.1",
         "--picture-at -0.1s: ", "not within the run (0 to 0.2s)"},
        {"--picture p.png --picture-at 0.1,0.21", "--picture-at 0.21s: ", "not within the run"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.options);
        ExpectOneError(RunIn(root, "run test.scn --no-progress " + row.options), 2, row.start,
                       row.says);
        EXPECT_EQ(OtherFiles({"test.scn", "root", "folder", "scenario-link"}),
                  std::vector<std::string>{});
        EXPECT_EQ(ReadFile(dir / "test.scn"), scenario);
        EXPECT_TRUE(fs::is_symlink(dir / "scenario-link"));
        EXPECT_TRUE(fs::is_empty(dir / "folder"));
    }
    EXPECT_TRUE(fs::is_empty(root / "Meshes"));
    EXPECT_TRUE(fs::is_symlink(root / "Modules" / "VARLOK1.so"));
}

// The sound log is the modules' own: when it cannot be created they carry on without
// it, and so does the run.
TEST_F(BadInput, SoundLogThatCannotBeCreatedDoesNotStopTheVehicles)
{
    fs::path root = MakeRoot();
    fs::create_directory(root / "OrbiterSound_Log.txt");
    Write("test.scn", kOneVehicle);
    Result r = RunIn(root, "run test.scn --no-progress --trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find('A'), std::string::npos) << "the summary is printed";
    EXPECT_TRUE(fs::is_directory(root / "OrbiterSound_Log.txt"));
    EXPECT_FALSE(TraceLines(ReadFile(dir / "t.jsonl")).empty());
}

} // namespace
} // namespace vesselhost_test

namespace vesselhost_test {
namespace {

// A module or sound library cut short (the loader would map it past its end and die of
// SIGBUS on the first touch), and inputs that are FIFOs (a read would block): each
// gets its error at once.
TEST_F(BadInput, CutLibrariesAndInputsThatAreNoFilesGetAnErrorAtOnce)
{
    const std::string scenario = Scenario("DURATION 0.2\n", "A:VARLOK1\nEND\n", "");
    for (std::size_t size : {1024u, 8192u, 32768u}) {
        SCOPED_TRACE(size);
        fs::path root = MakeRoot();
        fs::copy_file(fs::path(SIM_ROOT) / "OrbiterSound.dll", root / "OrbiterSound.dll");
        fs::remove(root / "Modules" / "VARLOK1.so");
        std::string module = ReadFile(fs::path(SIM_ROOT) / "Modules" / "VARLOK1.so");
        ASSERT_GT(module.size(), size);
        Write("root/Modules/VARLOK1.so", module.substr(0, size));
        Write("test.scn", scenario);
        ExpectOneError(RunIn(root, "run test.scn --no-progress " + kAllOutputs), 2,
                       "test.scn:5: ", (root / "Modules/VARLOK1.so").string() + ": truncated");
        fs::copy_file(fs::path(SIM_ROOT) / "Modules" / "VARLOK1.so",
                      root / "Modules" / "VARLOK1.so", fs::copy_options::overwrite_existing);
        std::string sound = ReadFile(fs::path(SIM_ROOT) / "OrbiterSound.dll");
        Write("root/OrbiterSound.dll", sound.substr(0, size));
        ExpectOneError(RunIn(root, "run test.scn --no-progress " + kAllOutputs), 2,
                       (root / "OrbiterSound.dll").string() + ": truncated",
                       "expected a whole library");
        EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
        fs::remove_all(root);
    }

    // A FIFO where the sound library, a mesh or a wave belongs (a 20 s guard: a hang
    // fails the test instead of stopping it).
    fs::path root = MakeRoot();
    fs::create_directories(root / "Meshes");
    fs::create_directories(root / "Sound" / "Vessel" / "Varlok");
    ASSERT_EQ(mkfifo((root / "OrbiterSound.dll").c_str(), 0600), 0);
    Write("test.scn", scenario);
    Result r = RunIn(root, "run test.scn --no-progress");
    ExpectOneError(r, 2, (root / "OrbiterSound.dll").string() + ": is not a regular file",
                   "expected a library");
    fs::remove(root / "OrbiterSound.dll");
    ASSERT_EQ(mkfifo((root / "Meshes" / "VARLOK.msh").c_str(), 0600), 0);
    Write("test.scn", Scenario("DURATION 0.2\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    ExpectOneError(Run("--root " + Quote(root.string()) + " run test.scn --no-progress"), 2,
                   (root / "Meshes" / "VARLOK.msh").string() + ": is not a regular file",
                   "expected a mesh file");
}

} // namespace
} // namespace vesselhost_test

namespace vesselhost_test {
namespace {

// Out of memory, made so with a limit on the address space: a mesh of 2 million
// vertices is more than 200 MB allow. The message names what was being built, and no
// output is left. Probed first: a build whose runtime reserves more (a sanitizer's
// shadow memory) cannot run under the limit at all, and says "not run".
TEST_F(BadInput, OutOfMemoryIsReportedWithWhatWasBeingBuilt)
{
    fs::path root = MakeRoot();
    fs::create_directories(root / "Meshes");
    Write("test.scn", Scenario("DURATION 0.2\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    const std::string limited = "/bin/sh -c 'ulimit -v 200000; exec \"$0\" \"$@\"' ";
    auto run = [&] {
        fs::path out = dir / ".out", err = dir / ".err";
        std::string command = "cd " + Quote(dir.string()) + " && " + limited +
                              Quote(VESSELHOST_PATH) + " --root " + Quote(root.string()) +
                              " run test.scn --no-progress --summary s.json >" +
                              Quote(out.string()) + " 2>" + Quote(err.string());
        int status = std::system(command.c_str());
        Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
        fs::remove(out);
        fs::remove(err);
        return r;
    };
    if (Result probe = run(); probe.code != 0) {
        std::printf("not run: vesselhost does not start within 200 MB of address space (%s)\n",
                    probe.err.c_str());
        return;
    }
    fs::remove(dir / "s.json");
    {
        std::ofstream mesh(root / "Meshes" / "VARLOK.msh");
        mesh << "MSHX1\nGROUPS 1\nGEOM 2000000 1\n";
        for (int i = 0; i < 2000000; ++i)
            mesh << "0 0 0\n";
        mesh << "0 1 2\n";
    }
    Result r = run();
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vesselhost: out of memory while building the vessels and their meshes; "
                     "nothing was written\n");
    EXPECT_EQ(OtherFiles({"test.scn", "root"}), std::vector<std::string>{});
}

} // namespace
} // namespace vesselhost_test
