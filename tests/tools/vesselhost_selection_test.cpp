// Narrower outputs of a run: the selected trace is the full trace filtered, whether
// written plain or compressed; telemetry every N steps of chosen vessels; the summary
// as JSON, and --quiet.
#include "tests/tools/vesselhost_fixture.h"

#include <functional>

namespace vesselhost_test {
namespace {

using nlohmann::json;

const std::string kFleet =
    Scenario("STEP 0.1\nDURATION 2\n",
             "V1:VARLOK1\nEND\nV2:VARLOK3C\nPOS 20 0\nEND\nW1:KELDOCONTROL\nPOS 40 0\nEND\n",
             "0 V1 KEY K\n0 V2 KEY K\n0 W1 KEY K\n0.5 V2 MAIN 1\n1 W1 KEY D\n");

bool Matches(const json &call, const char *vessel, const char *prefix, double from, double to)
{
    std::string name = call["call"];
    double t = call["t"];
    return (!vessel || call["vessel"] == vessel) && (!prefix || name.rfind(prefix, 0) == 0) &&
           from <= t && t <= to;
}

TEST_F(VesselhostTest, SelectedTraceIsTheFullTraceFiltered)
{
    ASSERT_EQ(RunScenario(kFleet, "--trace full.jsonl").code, 0);
    const std::string full = ReadFile(dir / "full.jsonl");
    const std::vector<json> calls = TraceLines(full);
    constexpr double kAll = 1e9;
    struct Case {
        std::string options, file, decompress;
        std::function<bool(const json &)> keeps;
    } cases[] = {
        {"--trace-vessels V2", "a.jsonl", "",
         [](const json &c) { return Matches(c, "V2", nullptr, -kAll, kAll); }},
        {"--trace-vessels 'V*,W?' --trace-calls 'Set*'", "b.jsonl", "",
         [](const json &c) {
             return !c["vessel"].is_null() && Matches(c, nullptr, "Set", -kAll, kAll);
         }},
        {"--trace-calls PlayVesselWaveOBSound3,GetAirspeed", "c.jsonl", "",
         [](const json &c) {
             return c["call"] == "PlayVesselWaveOBSound3" || c["call"] == "GetAirspeed";
         }},
        // Both ends of the window count; times are the steps' own.
        {"--trace-from 0.5 --trace-to 1", "d.jsonl", "",
         [](const json &c) { return Matches(c, nullptr, nullptr, 0.5, 1); }},
        {"--trace-vessels W1 --trace-from 1", "e.jsonl.gz", "gzip -dc",
         [](const json &c) { return Matches(c, "W1", nullptr, 1, kAll); }},
        {"--trace-vessels nobody", "f.jsonl.zst", "zstd -qdc", [](const json &) { return false; }},
        {"", "g.jsonl.zst", "zstd -qdc", [](const json &) { return true; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.options + " " + c.file);
        Result r = RunScenario(kFleet, "--trace " + c.file + " " + c.options);
        ASSERT_EQ(r.code, 0) << r.err;
        std::string selected = ReadFile(dir / c.file);
        if (!c.decompress.empty()) {
            std::string command = "cd " + Quote(dir.string()) + " && " + c.decompress + " " +
                                  c.file + " > plain.jsonl";
            ASSERT_EQ(std::system(command.c_str()), 0);
            EXPECT_NE(selected.substr(0, 4), full.substr(0, 4)); // not written plain
            selected = ReadFile(dir / "plain.jsonl");
        }
        std::string expected;
        std::istringstream lines(full);
        std::size_t kept = 0;
        for (std::string line; std::getline(lines, line);)
            if (c.keeps(calls.at(kept++)))
                expected += line + "\n";
        EXPECT_TRUE(selected == expected)
            << selected.size() << " bytes against " << expected.size() << " expected";
    }
    EXPECT_GT(calls.size(), 1000u);
}

TEST_F(VesselhostTest, TelemetryEveryNStepsOfChosenVesselsAndSummaryAsJson)
{
    ASSERT_EQ(RunScenario(kFleet, "--telemetry all.csv").code, 0);
    Result r = RunScenario(kFleet, "--telemetry thin.csv --telemetry-every 4 "
                                   "--telemetry-vessels 'V?' --summary run.json --quiet");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    // Every fourth step's rows, the fourth step first, of V1 and V2 only; the header
    // is W1's columns fewer where it had the most.
    std::istringstream all(ReadFile(dir / "all.csv"));
    std::string header, line, expected;
    std::getline(all, header);
    while (std::getline(all, line)) {
        long step = std::stol(line.substr(0, line.find(',')));
        if ((step + 1) % 4 == 0 && line.find(",W1,") == std::string::npos)
            expected += line + "\n";
    }
    std::string thin = ReadFile(dir / "thin.csv");
    ASSERT_NE(thin.find('\n'), std::string::npos);
    std::string body = thin.substr(thin.find('\n') + 1);
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 2 * 5);
    // Rows may have fewer empty cells at the end than the full file's.
    auto trimmed = [](std::string text) {
        std::string out;
        std::istringstream in(text);
        for (std::string row; std::getline(in, row);)
            out += row.substr(0, row.find_last_not_of(',') + 1) + "\n";
        return out;
    };
    EXPECT_EQ(trimmed(body), trimmed(expected));

    json summary = json::parse(ReadFile(dir / "run.json"));
    EXPECT_EQ(summary["run"]["steps"], 20);
    EXPECT_EQ(summary["run"]["vessels"], 3);
    EXPECT_GT(summary["run"]["vehicle_steps_per_s"].get<double>(), 0);
    ASSERT_EQ(summary["vessels"].size(), 3u);
    const json &w1 = summary["vessels"][2];
    EXPECT_EQ(w1["name"], "W1");
    EXPECT_EQ(w1["class"], "KELDOCONTROL");
    EXPECT_EQ(w1["door_cycles"]["opened"], 0); // the doors take longer than the run
    EXPECT_EQ(summary["vessels"][1]["engine_start_s"], 0.0);
    EXPECT_GT(summary["vessels"][1]["distance_m"].get<double>(), 1);
    EXPECT_EQ(summary["vessels"][0]["distance_m"], 0.0);
    EXPECT_EQ(summary["vessels"][0]["start_m"], json::array({0.0, 0.0}));
}

} // namespace
} // namespace vesselhost_test
