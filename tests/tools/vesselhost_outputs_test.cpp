// What the program writes: the trace in call order with its names and exact numbers,
// telemetry, the same bytes for the same scenario, outputs whole or not at all, and the
// folders where things land.
#include "generated/test_build.h"
#include "tests/tools/vesselhost_fixture.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vesselhost_test {
namespace {

using nlohmann::json;

std::vector<json> CallsOfStep(const std::vector<json> &trace, int step)
{
    std::vector<json> calls;
    for (const json &call : trace)
        if (call["step"] == step)
            calls.push_back(call);
    return calls;
}

// The calls that change something, as "Name arg0", in order.
std::vector<std::string> Changes(const std::vector<json> &calls)
{
    std::vector<std::string> changes;
    for (const json &call : calls) {
        std::string name = call["call"];
        if (name.rfind("Set", 0) != 0 && name != "AddForce")
            continue;
        changes.push_back(name + " " + call["args"][0].dump());
    }
    return changes;
}

TEST_F(VesselhostTest, TraceShowsEachStepsCallsInTheVehiclesOrder)
{
    Result r = RunScenario(Scenario("STEP 0.1\nDURATION 0.3\nSOUND OFF\n", "V1:VARLOK1\nEND\n",
                                    "0.1 V1 KEY K\n"),
                           "--trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<json> trace = TraceLines(ReadFile(dir / "t.jsonl"));
    for (int step = 0; step < 3; ++step) {
        std::vector<json> calls = CallsOfStep(trace, step);
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[0]["call"], "GetAirspeed");
        EXPECT_EQ(calls[1]["call"], "GetControlSurfaceLevel");
        // The braking direction: the vehicle's own airspeed, in its own frame (1, local).
        EXPECT_EQ(calls[2]["call"], "GetAirspeedVector");
        EXPECT_EQ(calls[2]["args"][0], 1);
        for (const json &call : calls) {
            EXPECT_EQ(call["vessel"], "V1");
            EXPECT_DOUBLE_EQ(call["t"].get<double>(), 0.1 * (step + 1));
        }
    }
    const std::vector<std::string> levers = {"SetAnimation 2", "SetAnimation 3", "SetAnimation 4",
                                             "SetAnimation 5"};
    // Before the engine runs: levers at rest, then every thruster held at zero.
    std::vector<std::string> gated = levers;
    for (const char *th : {"\"th0\"", "\"th1\""}) {
        gated.push_back("SetThrusterGroupLevel"); // by handle or by type
        gated.push_back(std::string("SetThrusterLevel ") + th);
        gated.push_back(std::string("SetThrusterMax0 ") + th);
    }
    for (const char *th : {"\"th2\"", "\"th3\"", "\"th4\"", "\"th5\""}) {
        gated.push_back(std::string("SetThrusterLevel ") + th);
        gated.push_back(std::string("SetThrusterMax0 ") + th);
    }
    std::vector<std::string> step0 = Changes(CallsOfStep(trace, 0));
    for (std::string &change : step0)
        if (change.rfind("SetThrusterGroupLevel", 0) == 0)
            change = "SetThrusterGroupLevel";
    EXPECT_EQ(step0, gated);
    // After key K, between steps 0 and 1: the drive thrusters at 9000 N, yaw at 90000 N.
    std::vector<std::string> running = levers;
    for (const char *th : {"\"th0\"", "\"th1\"", "\"th2\"", "\"th3\"", "\"th4\"", "\"th5\""})
        running.push_back(std::string("SetThrusterMax0 ") + th);
    EXPECT_EQ(Changes(CallsOfStep(trace, 1)), running);
    for (const json &call : CallsOfStep(trace, 1)) {
        if (call["call"] != "SetThrusterMax0")
            continue;
        bool drive = call["args"][0] == "th0" || call["args"][0] == "th1";
        EXPECT_EQ(call["args"][1], drive ? 9000 : 90000);
    }
}

TEST_F(VesselhostTest, TraceNamesHandlesAndRecordsAndKeepsNumbersExact)
{
    Result r = RunScenario(Scenario("DURATION 0\nSOUND OFF\n",
                                    "A:VARLOK1\nEND\nB:VARLOK1\nEND\n", ""),
                           "--trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<json> trace = TraceLines(ReadFile(dir / "t.jsonl"));
    std::map<std::string, std::vector<json>> componentsOf;
    bool sawMesh = false, sawGroup = false, sawOffset = false, sawVisual = false;
    for (const json &call : trace) {
        EXPECT_EQ(call["step"], -1);
        const std::string name = call["call"];
        if (name == "AddAnimationComponent") {
            const json &record = call["args"][3];
            EXPECT_EQ(record["kind"], "rotate");
            EXPECT_EQ(record["mesh"], 0);
            componentsOf[call["vessel"]].push_back(record);
        } else if (name == "oapiLoadMeshGlobal") {
            EXPECT_EQ(call["args"], json::array({"VARLOK"}));
            EXPECT_EQ(call["ret"], "mesh:VARLOK");
            sawMesh = true;
        } else if (name == "CreateThrusterGroup" && call["args"].size() == 3 &&
                   call["args"][0] == "th0") {
            EXPECT_EQ(call["args"], json::array({"th0", 1, 0}));
            EXPECT_EQ(call["ret"], "thg0");
            sawGroup = true;
        } else if (name == "SetCameraOffset") {
            EXPECT_EQ(call["args"][0][0].get<double>(), -0.571);
            EXPECT_EQ(call["args"][0][1].get<double>(), -0.074);
            EXPECT_EQ(call["args"][0][2].get<double>(), 2.124);
            sawOffset = true;
        } else if (name == "GetMesh") {
            EXPECT_EQ(call["args"][0], call["vessel"] == "A" ? "vis0" : "vis1");
            EXPECT_EQ(call["ret"], "mesh:VARLOK");
            sawVisual = true;
        } else if (name == "GetHandle") {
            EXPECT_EQ(call["ret"], "vessel:" + call["vessel"].get<std::string>());
        }
    }
    EXPECT_TRUE(sawMesh && sawGroup && sawOffset && sawVisual);
    // The records are the module's, shared by both vehicles: the same ids, from tf0 on.
    ASSERT_EQ(componentsOf["A"].size(), 32u);
    EXPECT_EQ(componentsOf["A"], componentsOf["B"]);
    EXPECT_EQ(componentsOf["A"][0]["id"], "tf0");
    EXPECT_EQ(componentsOf["A"][31]["id"], "tf31");
    EXPECT_EQ(componentsOf["A"][0]["angle"].get<float>(), 1.5707964f); // 90°, single precision
    EXPECT_EQ(componentsOf["A"][0]["groups"], json::array({44, 140, 142}));
}

TEST_F(VesselhostTest, SameScenarioTwiceGivesByteIdenticalTraceAndTelemetry)
{
    std::string text = Scenario(
        "STEP 0.02\nDURATION 8\nSOUND OFF\n",
        "A:VARLOK1\nEND\nB:VARLOK3C\nPOS 10 5\nHEADING 30\nEND\nC:KELDOCONTROL\nPOS -8 2\nEND\n",
        "0 A KEY K\n0 B KEY K\n0 C KEY K\n0.5 B KEY 8\n0.5 B KEY 5\n1 A MAIN 1 FOR 4\n"
        "1 B MAIN 0.7\n2 B YAW -0.4 FOR 1\n2 C RETRO 0.5 FOR 2\n3 A YAW 0.8 FOR 1\n"
        "3 C KEY D\n4 FOCUS B\n");
    ASSERT_EQ(RunScenario(text, "--trace a.jsonl --telemetry a.csv").code, 0);
    ASSERT_EQ(RunScenario(text, "--trace b.jsonl --telemetry b.csv").code, 0);
    std::string traceA = ReadFile(dir / "a.jsonl"), telemetryA = ReadFile(dir / "a.csv");
    EXPECT_GT(traceA.size(), 100000u);
    EXPECT_EQ(std::count(telemetryA.begin(), telemetryA.end(), '\n'), 1 + 3 * 400);
    EXPECT_TRUE(traceA == ReadFile(dir / "b.jsonl"));
    EXPECT_TRUE(telemetryA == ReadFile(dir / "b.csv"));
}

TEST_F(VesselhostTest, PictureShowsTheVesselsWhereTheRunLeftThem)
{
    Result r = RunScenario(Scenario("DURATION 1\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""),
                           "--picture end.png");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "end.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(OtherFiles({"test.scn", "end.png"}), std::vector<std::string>{});
    // At several times a file each, in order and once, named with its time; at one time
    // the name as given (refusals: bad_input_test).
    ASSERT_EQ(Run("run test.scn --picture p.png --picture-at 1,0.5,1 --no-progress").code, 0);
    ASSERT_EQ(Run("run test.scn --picture q --picture-at 0.5 --no-progress").code, 0);
    EXPECT_EQ(OtherFiles({"test.scn", "end.png", "p-0.5s.png", "p-1s.png", "q"}),
              std::vector<std::string>{});
}

TEST_F(VesselhostTest, OutputsOfAFailedRunAreNotWrittenAtAll)
{
    // The class has a library, so the run starts, and fails at the vessel's creation.
    std::string text = Scenario("SOUND OFF\n", "B:NOINIT\nEND\n", "");
    Write("test.scn", text);
    Result r = Run("--root " + Quote(NO_INIT_ROOT) + " run test.scn --trace t.jsonl "
                   "--telemetry t.csv --picture t.png");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(OtherFiles({"test.scn"}), std::vector<std::string>{});

    Write("test.scn", Scenario("DURATION 1\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    r = Run("run test.scn --trace missing/t.jsonl");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("missing/t.jsonl: its folder"), std::string::npos) << r.err;

    // Stopped by a signal while the outputs are being written: every hidden file goes.
    for (const auto &[signal, code] : {std::pair{"TERM", 143}, std::pair{"INT", 130}}) {
        SCOPED_TRACE(signal);
        Write("test.scn", Scenario("DURATION 100000\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
        std::string command =
            "cd " + Quote(dir.string()) + " && { " + Quote(VESSELHOST_PATH) +
            " run test.scn --no-progress --trace t.jsonl --telemetry t.csv >run.out 2>&1 & "
            "pid=$!; for i in $(seq 200); do ls -A | grep -q '^\\.t\\.csv\\.' && break; "
            "sleep 0.05; done; sleep 0.2; kill -" +
            signal + " $pid; wait $pid; echo $? >code; }";
        std::system(command.c_str());
        EXPECT_EQ(ReadFile(dir / "code"), std::to_string(code) + "\n");
        EXPECT_EQ(OtherFiles({"test.scn", "code", "run.out"}), std::vector<std::string>{});
    }
}

// A FIFO, a link to one and standard output are written in place; a link to a file
// stays a link, its file replaced.
TEST_F(VesselhostTest, SpecialFilesAreWrittenInPlaceAndLinksStay)
{
    Write("test.scn", Scenario("DURATION 0.2\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir / "fifo-link");
    Write("old.csv", "old");
    fs::create_symlink("old.csv", dir / "file-link");
    std::string command = "cd " + Quote(dir.string()) + " && { cat fifo >from-fifo & " +
                          Quote(VESSELHOST_PATH) +
                          " run test.scn --no-progress --trace fifo-link --telemetry file-link "
                          ">run.out 2>&1; echo $? >code; wait; }";
    std::system(command.c_str());
    EXPECT_EQ(ReadFile(dir / "code"), "0\n");
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_symlink(dir / "fifo-link"));
    EXPECT_FALSE(TraceLines(ReadFile(dir / "from-fifo")).empty());
    EXPECT_TRUE(fs::is_symlink(dir / "file-link"));
    EXPECT_EQ(Telemetry(ReadFile(dir / "old.csv"), "A").Rows(), 10u);

    // `-`: the trace on standard output, the summary moves to standard error.
    Result r = Run("run test.scn --no-progress --trace -");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(TraceLines(r.out), TraceLines(ReadFile(dir / "from-fifo")));
    EXPECT_NE(r.err.find('A'), std::string::npos) << r.err;
    EXPECT_EQ(OtherFiles({"test.scn", "fifo", "fifo-link", "old.csv", "file-link", "from-fifo",
                          "code", "run.out"}),
              std::vector<std::string>{});
}

TEST_F(VesselhostTest, OutputPathsAreTheCallersAndTheSoundLogLandsInTheRoot)
{
    fs::path root = dir / "root", work = dir / "work";
    fs::create_directories(root / "Modules");
    fs::create_directories(work);
    fs::create_symlink(fs::path(SIM_ROOT) / "Modules" / "VARLOK1.so",
                       root / "Modules" / "VARLOK1.so");
    Write("test.scn", Scenario("DURATION 0.1\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""));
    Result r = Run("--root ../root run ../test.scn --trace out.jsonl", work);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(work / "out.jsonl"));
    EXPECT_FALSE(fs::exists(root / "out.jsonl"));
    // Without the sound library the module logs that it cannot connect, in the root.
    EXPECT_NE(ReadFile(root / "OrbiterSound_Log.txt").find("ERR01"), std::string::npos);
    EXPECT_FALSE(fs::exists(work / "OrbiterSound_Log.txt"));
}

TEST_F(VesselhostTest, ListShowsTheClassesOfTheRootWithTheirVersionStamps)
{
    Result r = Run("list");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "KELDOCONTROL   version 60425\n"
                     "VARLOK1        version 60425\n"
                     "VARLOK3C       version 60425\n");
    r = Run("--root " + Quote(NO_INIT_ROOT) + " list");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("NOINIT         cannot be used:"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"ovcInit\""), std::string::npos) << r.out;
}

TEST_F(VesselhostTest, DemoRunsAllThreeVehiclesAndShowsTheSummary)
{
    Result r = Run("demo --no-progress");
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char *vessel : {"Base (VARLOK1)", "Armed (VARLOK3C)", "Control (KELDOCONTROL)"})
        EXPECT_NE(r.out.find(vessel), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("not started"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rear doors open"), std::string::npos) << r.out;
}

TEST_F(VesselhostTest, AudioNeedsTheSoundLibrary)
{
    Result r = RunScenario(Scenario("DURATION 1\nSOUND OFF\n", "A:VARLOK1\nEND\n", ""),
                           "--audio mix.wav");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("mix.wav: no sound library is loaded (SOUND OFF in test.scn)"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(OtherFiles({"test.scn"}), std::vector<std::string>{});
}

TEST_F(VesselhostTest, AudioMixAndSoundCountsComeFromTheSoundLibrary)
{
    Result r = RunScenario(Scenario("DURATION 2\nSOUND ON\n", "A:VARLOK3C\nEND\n",
                                    "0.5 A KEY K\n1 A KEY W\n"),
                           "--audio mix.wav");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.find("no sound library"), std::string::npos) << r.err;
    std::string wav = ReadFile(dir / "mix.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 4), "WAVE");
    // The start cue once, the cannon once, the running engine at every step after K.
    EXPECT_NE(r.out.find("slot 2 x1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("slot 4 x1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("slot 1 x"), std::string::npos) << r.out;
}

// The mix onto a FIFO: opened once, so a reader that stops at the first end of file gets
// the whole WAV (the run is guarded: a hang fails). A picture onto a device node stays a
// device node; a summary over a private file keeps it private; a run too long to mix
// is refused before it starts, with the memory it would need.
TEST_F(VesselhostTest, AudioAndPicturesReachSpecialFilesOnceAndKeepWhatTheyReplace)
{
    Write("test.scn", Scenario("DURATION 1\nSOUND ON\n", "A:VARLOK3C\nEND\n", "0.5 A KEY K\n"));
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    Write("summary.json", "old");
    ASSERT_EQ(chmod((dir / "summary.json").c_str(), 0600), 0);
    bool device = mknod((dir / "null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    std::string command = "cd " + Quote(dir.string()) + " && { cat fifo >from-fifo & timeout 60 " +
                          Quote(VESSELHOST_PATH) + " run test.scn --no-progress --audio fifo " +
                          "--summary summary.json" + (device ? " --picture null" : "") +
                          " >run.out 2>&1; echo $? >code; wait; }";
    std::system(command.c_str());
    EXPECT_EQ(ReadFile(dir / "code"), "0\n") << ReadFile(dir / "run.out");
    std::string wav = ReadFile(dir / "from-fifo");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(fs::status(dir / "summary.json").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(ReadFile(dir / "summary.json"), "old");
    if (device)
        EXPECT_TRUE(fs::is_character_file(dir / "null"));
    else
        std::printf("not run: the picture onto a device node (mknod refused)\n");

    Write("long.scn", Scenario("DURATION 100000\nSTEP 1\nSOUND ON\n", "A:VARLOK3C\nEND\n", ""));
    Result r = Run("run long.scn --no-progress --audio long.wav");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("long.wav: the mix of a 100000 s run would need 33646 MiB of memory"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(dir / "long.wav"));
}

// Beyond the sound library's 60 ids the vessels are silent, a missing wave sounds as the
// stand-in tone, a missing mesh is drawn as the placeholder: each said once, on stderr.
TEST_F(VesselhostTest, WarningsSayOnceEachWhatIsSilentOrStandsIn)
{
    fs::path root = dir / "root";
    fs::create_directories(root / "Modules");
    fs::create_symlink(fs::path(SIM_ROOT) / "Modules" / "VARLOK1.so",
                       root / "Modules" / "VARLOK1.so");
    fs::create_symlink(fs::path(SIM_ROOT) / "OrbiterSound.dll", root / "OrbiterSound.dll");
    std::string ships;
    for (int i = 1; i <= 62; ++i)
        ships += "V" + std::to_string(i) + ":VARLOK1\nEND\n";
    Write("test.scn", Scenario("DURATION 0.1\n", ships, ""));
    Result r =
        Run("--root " + Quote(root.string()) + " run test.scn --no-progress --picture p.png");
    ASSERT_EQ(r.code, 0) << r.err;
    auto count = [&](const std::string &text) {
        std::size_t n = 0;
        for (std::size_t at = r.err.find(text); at != std::string::npos;
             at = r.err.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("vesselhost: warning: the sound library has 60 sound ids"), 1u) << r.err;
    EXPECT_EQ(count("the 2 vessels after the first 60 stay silent (V61, V62)"), 1u) << r.err;
    const std::string wave = (root / "Sound" / "Vessel" / "Varlok" / "Varlok-go.wav").string();
    EXPECT_EQ(count("OrbiterSound.dll: warning: " + wave +
                    ": there is no such file; its slots play the stand-in tone\n"),
              1u)
        << r.err;
    EXPECT_EQ(count("warning: mesh VARLOK (no file " + root.string() +
                    "/Meshes/VARLOK.msh): "
                    "the picture draws the placeholder in its place (first for vessel V1)\n"),
              1u)
        << r.err;
    // And no other warning (the start wave's once too); a sanitizer's report may follow.
    EXPECT_EQ(count("warning: "), 4u) << r.err;
}

} // namespace
} // namespace vesselhost_test
