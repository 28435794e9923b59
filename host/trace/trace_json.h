// The call trace as JSON Lines: one object per call, in call order, with `step`, `t`,
// `vessel` (its name, null for none), `call`, `args` and `ret` where there is a result.
// Numbers read back exactly (shortest round-trip form; non-finite ones as the strings
// "NaN", "Infinity", "-Infinity"), vectors are [x,y,z], handles short stable names
// ("th0", "thg1", "ph0", "ac3", "mesh:NAME", "vis0", "vessel:NAME"), null for null, and a
// transform record an object with `id` (in order of first appearance), `kind`, `mesh`,
// `groups`, `ref`, `axis` and `angle` (single precision, as stored).
#pragma once

#include <string>
#include <unordered_map>

#include "host/trace/call_trace.h"

namespace host {

// Where the writer finds the names of the vessels and meshes a call refers to: the
// simulator, which gave out their handles.
class TraceNames {
public:
    // The vessel's name; empty for an id no vessel had.
    virtual const std::string &VesselName(int id) const = 0;
    // The mesh's name; nullptr for a handle that is no mesh of the simulator's.
    virtual const std::string *MeshName(MESHHANDLE handle) const = 0;

protected:
    ~TraceNames() = default;
};

class TraceJsonWriter {
public:
    // Appends one line for the call to `out`.
    void Append(const TraceCall &call, const TraceNames &names, std::string &out);
    // Numbers the transform records of a call left out of the trace, as Append would.
    void NumberTransforms(const TraceCall &call);

private:
    void Value(const TraceValue &value, const TraceNames &names, std::string &out);
    void Transform(const TransformSnapshot &transform, std::string &out);

    std::unordered_map<const void *, int> transformIds_;
};

} // namespace host
