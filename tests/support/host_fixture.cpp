#include "tests/support/host_fixture.h"
#include "generated/test_build.h"

#include <cstdint>
#include <filesystem>

#include <unistd.h>

namespace testing_support {

void HostTest::SetUp()
{
    // The modules write their sound log into the current folder: give each test its own.
    workDir_ = std::filesystem::temp_directory_path() /
               ("vessel-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(workDir_);
    std::filesystem::current_path(workDir_);
    sim.Reset();
    sim.SetRoot(SIM_ROOT);
    sim.Trace().enabled = true;
}

void HostTest::TearDown()
{
    sim.Reset();
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(workDir_, ignored);
}

void HostTest::LoadSoundLibrary()
{
    sim.LoadSoundLibrary(std::string(SIM_ROOT) + "/OrbiterSound.dll");
}

host::Vessel &HostTest::Create(const std::string &name, const std::string &className)
{
    return sim.CreateVessel(name, className);
}

std::vector<host::TraceCall> HostTest::CallsOf(const host::Vessel &vessel) const
{
    return sim.Trace().CallsOf(vessel.id);
}

std::vector<std::string> HostTest::NamesOf(const host::Vessel &vessel) const
{
    return sim.Trace().NamesOf(vessel.id);
}

double Number(const host::TraceValue &value)
{
    if (const auto *d = std::get_if<double>(&value))
        return *d;
    if (const auto *i = std::get_if<std::int64_t>(&value))
        return double(*i);
    ADD_FAILURE() << "trace value is not a number";
    return 0;
}

} // namespace testing_support

#include <algorithm>
#include <charconv>

namespace testing_support {

namespace {

std::string NumberText(double value)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ValueText(const host::TraceValue &value)
{
    struct Visitor {
        std::string operator()(std::nullptr_t) const { return "null"; }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return NumberText(d); }
        std::string operator()(const VECTOR3 &v) const
        {
            return "(" + NumberText(v.x) + ", " + NumberText(v.y) + ", " + NumberText(v.z) + ")";
        }
        std::string operator()(host::HandleValue h) const
        {
            static const char *const prefixes[] = {"?", "th", "thg", "ph", "ac", "mesh", "vis"};
            if (!h.raw)
                return "null";
            host::HandleKind kind = host::KindOf(h.raw);
            if (kind == host::HandleKind::Mesh) {
                const host::Mesh *mesh = host::Simulator::Get().MeshOf(const_cast<void *>(h.raw));
                return "mesh:" + (mesh ? mesh->name : std::string("?"));
            }
            return prefixes[int(kind)] + std::to_string(host::IndexOf(h.raw, kind));
        }
        std::string operator()(host::VesselRef v) const
        {
            return "vessel:" + host::Simulator::Get().VesselName(v.id);
        }
        std::string operator()(const std::string &s) const { return "\"" + s + "\""; }
        std::string operator()(const host::TransformSnapshot &t) const
        {
            return "rotation(" + NumberText(t.angle) + ")";
        }
    };
    return std::visit(Visitor{}, value);
}

} // namespace

std::string Describe(const host::TraceCall &call, bool withResult)
{
    std::string text = std::string(call.call) + "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        text += (i ? ", " : "") + ValueText(call.args[i]);
    text += ")";
    if (withResult && call.ret)
        text += " -> " + ValueText(*call.ret);
    return text;
}

std::vector<std::string> Describe(const std::vector<host::TraceCall> &calls, bool withResult)
{
    std::vector<std::string> out;
    out.reserve(calls.size());
    for (const auto &c : calls)
        out.push_back(Describe(c, withResult));
    return out;
}

std::vector<host::TraceCall> Only(const std::vector<host::TraceCall> &calls,
                                  const std::vector<std::string> &names)
{
    std::vector<host::TraceCall> out;
    for (const auto &c : calls)
        if (std::find(names.begin(), names.end(), c.call) != names.end())
            out.push_back(c);
    return out;
}

} // namespace testing_support
