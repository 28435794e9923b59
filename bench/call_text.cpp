#include "bench/call_text.h"

#include <cinttypes>
#include <cstdio>

#include "bench/situations.h"

namespace bench {

namespace {

std::string Hex(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

} // namespace

std::string ValueText(const host::TraceValue &value)
{
    struct Visitor {
        std::string operator()(std::nullptr_t) const { return "null"; }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return Hex(d); }
        std::string operator()(const VECTOR3 &v) const
        {
            return "_V(" + Hex(v.x) + ", " + Hex(v.y) + ", " + Hex(v.z) + ")";
        }
        std::string operator()(host::HandleValue h) const
        {
            char text[40];
            std::snprintf(text, sizeof text, "0x%" PRIxPTR, reinterpret_cast<std::uintptr_t>(h.raw));
            return text;
        }
        std::string operator()(host::VesselRef v) const { return "vessel" + std::to_string(v.id); }
        std::string operator()(const std::string &s) const { return "\"" + s + "\""; }
        std::string operator()(const host::TransformSnapshot &) const { return "transform"; }
    };
    return std::visit(Visitor{}, value);
}

std::string CallText(const host::TraceCall &call)
{
    std::string text = std::string(call.call) + "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        text += (i ? ", " : "") + ValueText(call.args[i]);
    return text + ")";
}

std::string CallsText(const std::vector<host::TraceCall> &calls)
{
    std::string text;
    for (const host::TraceCall &call : calls)
        text += CallText(call) + "\n";
    return text;
}

std::vector<host::TraceCall> CaptureStep(host::Vessel &vessel)
{
    host::CallTrace &trace = host::Simulator::Get().Trace();
    trace.Clear();
    trace.enabled = true;
    ModuleStep(vessel);
    trace.enabled = false;
    std::vector<host::TraceCall> calls = trace.Calls();
    trace.Clear();
    return calls;
}

} // namespace bench
