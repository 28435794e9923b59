// The report: frames thinned to what a page can play, columns quantised for the page,
// the page that a run writes, and the telemetry's named columns for a mixed fleet.
#include "generated/test_build.h"
#include "tests/tools/vesselhost_fixture.h"
#include "tools/vesselhost/channel_names.h"
#include "tools/vesselhost/report_recorder.h"

#if REPORT_PAGES
#include "tools/vesselhost/report_encoding.h"
#endif

namespace vesselhost_test {
namespace {

using nlohmann::json;
using vesselhost::FrameAfter;
using vesselhost::FrameStride;

TEST(ReportFrames, StrideHoldsThirtyPerSecondTwoThousandPerVesselAndTheFleetBudget)
{
    struct Case {
        std::int64_t steps;
        double step;
        std::size_t vessels;
        std::int64_t stride;
    } cases[] = {
        {500, 0.02, 1, 2},      // 10 s: 300 frames at most
        {100, 0.1, 1, 1},       // fewer steps than frames: every step
        {6000, 0.01, 1, 4},     // 60 s: 1800 frames at most, so 1500
        {360000, 0.01, 1, 180}, // an hour: 2000 frames
        {6000, 0.01, 1000, 5},  // 1000 vessels: 1200 frames each
        {1, 0.01, 1, 1},        {0, 0.01, 1, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FrameStride(c.steps, c.step, c.vessels), c.stride)
            << c.steps << " steps of " << c.step << " s, " << c.vessels << " vessels";
    std::vector<std::int64_t> after;
    for (std::int64_t k = 0; k < 7; ++k)
        if (FrameAfter(k, 7, 3))
            after.push_back(k);
    EXPECT_EQ(after, (std::vector<std::int64_t>{2, 5, 6})) << "every third step and the last";
}

TEST(ChannelNames, ThrustersTakeTheirGroupsNameAnimationsTheClasssRowElseANumber)
{
    host::Vessel vessel;
    vessel.className = "VARLOK3C";
    vessel.thrusters.resize(6);
    vessel.groups = {{THGROUP_MAIN, {0}},
                     {THGROUP_ATT_YAWLEFT, {3, 1}},
                     {THGROUP_MAIN, {2}},
                     {THGROUP_RETRO, {0}}};
    // 2: a second main group would repeat the name; 4, 5: in no group, or one of no name
    vessel.groups.push_back({THGROUP_ATT_PITCHUP, {5}});
    EXPECT_EQ(vesselhost::ThrusterNames(vessel),
              (std::vector<std::string>{"main", "yaw_left_2", "th2", "yaw_left_1", "th4", "th5"}));
    vessel.animations.resize(15);
    std::vector<std::string> names = vesselhost::AnimationNames(vessel);
    EXPECT_EQ(names[0], "turret");
    EXPECT_EQ(names[10], "wheels_right_forward");
    EXPECT_EQ(names[13], "wheels_left_reverse");
    EXPECT_EQ(names[14], "anim14") << "past the class's table";
    EXPECT_EQ(vesselhost::AnimationIndex(vessel, "door_left"), 8);
    vessel.className = "OTHER";
    EXPECT_EQ(vesselhost::AnimationNames(vessel)[0], "anim0");
    EXPECT_EQ(vesselhost::AnimationIndex(vessel, "door_left"), -1);
}

#if REPORT_PAGES
TEST(ReportEncoding, ColumnsQuantiseToTheirRangeWithDifferencesThatWrap)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    vesselhost::EncodedColumn column = vesselhost::EncodeColumn({1, 3, nan, 2});
    EXPECT_EQ(column.min, 1);
    EXPECT_EQ(column.max, 3);
    // codes 0, 65534 (the top), 65535 (not a number), 32767 (the middle, rounded)
    EXPECT_EQ(column.deltas, (std::vector<std::uint16_t>{0, 65534, 1, 32768}));
    EXPECT_TRUE(vesselhost::EncodeColumn({2, 2, 2}).deltas.empty()) << "constant: no codes";
    EXPECT_EQ(vesselhost::EncodeColumn({nan, 5}).deltas, (std::vector<std::uint16_t>{65535, 1}));
    EXPECT_EQ(vesselhost::Base64("Man"), "TWFu");
    EXPECT_EQ(vesselhost::Base64("Ma"), "TWE=");
    EXPECT_EQ(vesselhost::Base64("M"), "TQ==");
}

TEST_F(VesselhostTest, ReportPageHoldsEveryVesselsChannelsKeysAndClassScene)
{
    Result r = RunScenario(
        Scenario("STEP 0.02\nDURATION 8\nSOUND OFF\n",
                 "A:VARLOK1\nEND\nB:VARLOK3C\nPOS 10 5\nEND\nC:KELDOCONTROL\nPOS -8 2\nEND\n",
                 "0 A KEY K\n0.5 B KEY 8\n1 A KEY F1\n3 C KEY D\n4 FOCUS B\n"),
        "--report r.html --telemetry t.csv");
    ASSERT_EQ(r.code, 0) << r.err;
    std::string page = ReadFile(dir / "r.html");
    ASSERT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(page.find("<script src"), std::string::npos) << "everything inside the page";
    EXPECT_EQ(page.find("<link"), std::string::npos);
    const std::string open = "<script type=\"application/json\" id=\"report-meta\">";
    std::size_t from = page.find(open) + open.size();
    json meta = json::parse(page.substr(from, page.find("</script>", from) - from));

    EXPECT_EQ(meta["focus"], 1);
    EXPECT_EQ(meta["times"]["count"], 201) << "8 s at 30 frames/s: every second step, and t = 0";
    ASSERT_EQ(meta["classes"].size(), 3u);
    EXPECT_EQ(meta["classes"][1]["animations"][0], "turret");
    EXPECT_EQ(meta["classes"][2]["animations"][0], "roof_rotator");
    EXPECT_EQ(meta["classes"][0]["components"].size(), 32u);
    EXPECT_EQ(meta["classes"][0]["components"][6]["groups"],
              json::array({19, 129, 131, 140, 142, 44}));

    std::istringstream csv(ReadFile(dir / "t.csv"));
    std::string header;
    std::getline(csv, header);
    ASSERT_EQ(meta["vessels"].size(), 3u);
    for (const json &vessel : meta["vessels"]) {
        // The page's channels are the telemetry columns the vessel fills.
        std::size_t columns = 0;
        for (const json &channel : vessel["channels"]) {
            EXPECT_NE(("," + header + ",").find("," + channel["name"].get<std::string>() + ","),
                      std::string::npos)
                << channel["name"];
            ++columns;
        }
        EXPECT_EQ(columns,
                  7 + 2 * 6 + meta["classes"][vessel["class"].get<int>()]["animations"].size());
    }
    const json &a = meta["vessels"][0];
    EXPECT_EQ(a["engineStart"], 0);
    ASSERT_EQ(a["keys"].size(), 2u);
    EXPECT_EQ(a["keys"][0]["key"], "K");
    EXPECT_EQ(a["keys"][0]["taken"], true);
    EXPECT_EQ(a["keys"][1]["key"], "F1");
    EXPECT_EQ(a["keys"][1]["taken"], false) << "passed to the simulator";
    EXPECT_NEAR(a["keys"][1]["t"].get<double>(), 1, 1e-9);
    EXPECT_NE(a["summary"].get<std::string>().find("keys passed    F1 x1"), std::string::npos);

    // The telemetry names the union of the classes' columns; A has no turret cell.
    for (const char *column :
         {",main_level,main_max,", ",yaw_left_2_max,", ",door_left,", ",turret,", ",roof_rotator,"})
        EXPECT_NE((header + ",").find(column), std::string::npos) << column;
    Telemetry t(ReadFile(dir / "t.csv"), "B");
    EXPECT_GT(t.Get(t.Rows() - 1, "turret"), 0) << "B turned its turret";
}
#endif

} // namespace
} // namespace vesselhost_test
