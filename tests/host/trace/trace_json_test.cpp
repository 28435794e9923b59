// The trace as JSON Lines: exact numbers, escaped text, stable names for handles and
// transform records.
#include <cmath>
#include <limits>

#include "host/base/handles.h"
#include "host/trace/trace_json.h"
#include "tests/support/host_fixture.h"

namespace {

using host::HandleKind;
using host::HandleValue;
using host::MakeHandle;
using host::TraceCall;
using host::TraceValue;

class TraceJsonTest : public testing_support::HostTest {
protected:
    std::string Line(const TraceCall &call)
    {
        std::string out;
        writer.Append(call, sim, out);
        return out;
    }
    // The `args` of a call with the given arguments, as written.
    std::string Args(std::vector<TraceValue> args)
    {
        TraceCall call;
        call.call = "X";
        call.args = std::move(args);
        std::string line = Line(call);
        std::size_t from = line.find("\"args\":") + 7;
        return line.substr(from, line.size() - from - 2); // without "}\n"
    }

    host::TraceJsonWriter writer;
};

TEST_F(TraceJsonTest, ALineHasStepTimeVesselCallArgsAndTheResultWhereThereIsOne)
{
    TraceCall call;
    call.step = -1;
    call.t = 0;
    call.call = "Date2Int";
    call.args = {std::string("Apr 25 2006")};
    EXPECT_EQ(
        Line(call),
        "{\"step\":-1,\"t\":0,\"vessel\":null,\"call\":\"Date2Int\",\"args\":[\"Apr 25 2006\"]}\n");
    host::Vessel &v = Create("Rover-1", "VARLOK1");
    call.step = 41;
    call.t = 0.84;
    call.vessel = v.id;
    call.call = "SetAnimation";
    call.args = {std::int64_t(2), 0.5};
    call.ret = true;
    EXPECT_EQ(Line(call),
              "{\"step\":41,\"t\":0.84,\"vessel\":\"Rover-1\",\"call\":\"SetAnimation\","
              "\"args\":[2,0.5],\"ret\":true}\n");
}

TEST_F(TraceJsonTest, NumbersReadBackExactly)
{
    EXPECT_EQ(Args({0.1, 1.0 / 3, -0.0, 1e-300, 5e-324, 1.7976931348623157e308}),
              "[0.1,0.3333333333333333,-0,1e-300,5e-324,1.7976931348623157e+308]");
    EXPECT_EQ(Args({std::int64_t(-9000), std::numeric_limits<std::int64_t>::min()}),
              "[-9000,-9223372036854775808]");
    EXPECT_EQ(Args({std::nan(""), std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity()}),
              "[\"NaN\",\"Infinity\",\"-Infinity\"]");
    EXPECT_EQ(Args({_V(-0.571, -0.074, 2.124)}), "[[-0.571,-0.074,2.124]]");
    EXPECT_EQ(Args({true, false, nullptr}), "[true,false,null]");
}

TEST_F(TraceJsonTest, TextIsEscapedIntoPlainJson)
{
    EXPECT_EQ(Args({std::string("Sound\\Vessel\\\"go\".wav")}),
              "[\"Sound\\\\Vessel\\\\\\\"go\\\".wav\"]");
    EXPECT_EQ(Args({std::string("a\nb\tc\x01\x7f\xe9")}),
              "[\"a\\u000ab\\u0009c\\u0001\\u007f\\u00e9\"]");
}

TEST_F(TraceJsonTest, HandlesAreShortStableNames)
{
    MESHHANDLE mesh = sim.LoadMesh("VARLOK");
    host::Vessel &v = Create("A", "VARLOK1");
    EXPECT_EQ(Args({HandleValue{MakeHandle(HandleKind::Thruster, 3)},
                    HandleValue{MakeHandle(HandleKind::ThrusterGroup, 1)},
                    HandleValue{MakeHandle(HandleKind::Propellant, 0)},
                    HandleValue{MakeHandle(HandleKind::AnimationComponent, 31)},
                    HandleValue{MakeHandle(HandleKind::Visual, 2)}, HandleValue{mesh},
                    HandleValue{nullptr}}),
              "[\"th3\",\"thg1\",\"ph0\",\"ac31\",\"vis2\",\"mesh:VARLOK\",null]");
    int local = 0;
    EXPECT_EQ(Args({HandleValue{&local}, host::VesselRef{v.id}, host::VesselRef{-1}}),
              "[\"unknown\",\"vessel:A\",null]");
}

TEST_F(TraceJsonTest, TransformRecordsGetIdsInOrderOfFirstAppearance)
{
    host::TransformSnapshot first;
    first.address = &first;
    first.kind = MGROUP_TRANSFORM::ROTATE;
    first.groups = {44, 140, 142};
    first.ref = _V(-0.048, 0.416, -3.211);
    first.axis = _V(0, -0.25, 0.967);
    first.angle = 1.5707964f;
    host::TransformSnapshot second = first;
    second.address = &second;
    second.groups = {};
    second.kind = 7;
    EXPECT_EQ(Args({first}),
              "[{\"id\":\"tf0\",\"kind\":\"rotate\",\"mesh\":0,\"groups\":[44,140,142],"
              "\"ref\":[-0.048,0.416,-3.211],\"axis\":[0,-0.25,0.967],"
              "\"angle\":1.5707964}]");
    EXPECT_EQ(Args({second}), "[{\"id\":\"tf1\",\"kind\":7,\"mesh\":0,\"groups\":[],"
                              "\"ref\":[-0.048,0.416,-3.211],\"axis\":[0,-0.25,0.967],"
                              "\"angle\":1.5707964}]");
    EXPECT_EQ(Args({first}).substr(0, 13), "[{\"id\":\"tf0\",");
}

} // namespace
