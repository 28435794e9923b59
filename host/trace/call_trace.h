// The call trace: every call a module makes into the host (and into the sound
// library), in call order, with its arguments and result. Off by default; when off,
// recording costs one test of a flag.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/base/handles.h"
#include "host/trace/trace_selection.h"
#include "sdk/OrbiterAPI.h"

class MGROUP_TRANSFORM;

namespace host {

// A transform record as it stood when it was handed over.
struct TransformSnapshot {
    const void *address = nullptr; // identity of the record
    int kind = 0;
    UINT mesh = 0;
    std::vector<UINT> groups;
    VECTOR3 ref{}, axis{};
    float angle = 0;
};

struct HandleValue {
    const void *raw = nullptr;
};
struct VesselRef {
    int id = -1; // -1: a handle that names no vessel of this host
};

using TraceValue = std::variant<std::nullptr_t, bool, std::int64_t, double, VECTOR3, HandleValue,
                                VesselRef, std::string, TransformSnapshot>;

struct TraceCall {
    std::int64_t step = -1; // index of the step during which the call came; -1 before the first
    double t = 0;           // simulated time, s
    int vessel = -1;        // vessel id, -1 for calls that belong to no vessel
    const char *call = "";  // operation or export name (a literal)
    std::vector<TraceValue> args;
    std::optional<TraceValue> ret;
    bool selected = true; // false: kept only to number the transform records it hands over
};

TraceValue ToTrace(double v);
TraceValue ToTrace(int v);
TraceValue ToTrace(unsigned v);
TraceValue ToTrace(long v);
TraceValue ToTrace(bool v);
TraceValue ToTrace(const VECTOR3 &v);
TraceValue ToTrace(const char *text);
TraceValue ToTrace(const MGROUP_TRANSFORM *record);
inline TraceValue ToTrace(HandleValue h) { return h; }
inline TraceValue ToTrace(VesselRef v) { return v; }
inline TraceValue ToTrace(std::nullptr_t) { return nullptr; }

// Whether a selection may leave a call out. It keeps the call that hands transform
// records to the host even when it does not select it: the trace numbers the records in
// order of first appearance, so that a selected trace names them as the full trace does.
enum class TraceKeeps { WhenSelected, EvenUnselected };

class CallTrace {
public:
    bool enabled = false;
    // When set, the trace keeps the calls it selects, and the others' arguments are not
    // even gathered: they cost no more than this test.
    TraceSelection *selection = nullptr;

    // What the trace does with a call: drops it, keeps it as selected, or keeps it only
    // so that the transform records it hands over are numbered as in the full trace.
    enum class Keep { No, Selected, ForNumbering };
    Keep Keeps(const char *call, int vessel, double t,
               TraceKeeps keeps = TraceKeeps::WhenSelected) const
    {
        if (!selection || selection->Selects(call, vessel, t))
            return Keep::Selected;
        return keeps == TraceKeeps::EvenUnselected ? Keep::ForNumbering : Keep::No;
    }
    bool Wants(const char *call, int vessel, double t,
               TraceKeeps keeps = TraceKeeps::WhenSelected) const
    {
        return Keeps(call, vessel, t, keeps) != Keep::No;
    }

    void Clear()
    {
        calls_.clear();
        ++clears_;
    }
    // How many times the trace has been cleared: a record kept now was made after the
    // last of them.
    std::uint64_t Clears() const { return clears_; }
    const std::vector<TraceCall> &Calls() const { return calls_; }
    std::vector<TraceCall> CallsOf(int vessel) const;
    // Names of the calls of one vessel, in order: the shape of a step at a glance.
    std::vector<std::string> NamesOf(int vessel) const;

    void Add(TraceCall call) { calls_.push_back(std::move(call)); }

private:
    std::vector<TraceCall> calls_;
    std::uint64_t clears_ = 0;
};

} // namespace host
