#include "host/trace/call_trace.h"

#include "sdk/VesselAPI.h"

namespace host {

TraceValue ToTrace(double v) { return v; }
TraceValue ToTrace(int v) { return std::int64_t(v); }
TraceValue ToTrace(unsigned v) { return std::int64_t(v); }
TraceValue ToTrace(long v) { return std::int64_t(v); }
TraceValue ToTrace(bool v) { return v; }
TraceValue ToTrace(const VECTOR3 &v) { return v; }

TraceValue ToTrace(const char *text)
{
    if (!text)
        return nullptr;
    return std::string(text);
}

TraceValue ToTrace(const MGROUP_TRANSFORM *record)
{
    if (!record)
        return nullptr;
    TransformSnapshot snap;
    snap.address = record;
    snap.kind = record->Type();
    if (snap.kind == MGROUP_TRANSFORM::ROTATE) {
        const auto *rot = static_cast<const MGROUP_ROTATION *>(record);
        snap.mesh = rot->meshIndex;
        if (rot->groupIndices)
            snap.groups.assign(rot->groupIndices, rot->groupIndices + rot->groupCount);
        snap.ref = rot->referencePoint;
        snap.axis = rot->axis;
        snap.angle = rot->angle;
    }
    return snap;
}

std::vector<TraceCall> CallTrace::CallsOf(int vessel) const
{
    std::vector<TraceCall> out;
    for (const auto &c : calls_)
        if (c.vessel == vessel)
            out.push_back(c);
    return out;
}

std::vector<std::string> CallTrace::NamesOf(int vessel) const
{
    std::vector<std::string> out;
    for (const auto &c : calls_)
        if (c.vessel == vessel)
            out.emplace_back(c.call);
    return out;
}

} // namespace host
