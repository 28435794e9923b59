// A step's calls as exact text, one call a line ("SetAnimation(4, 0x1p-1)"): what the
// floor was captured from, compared with what the vehicle does when measured.
#pragma once

#include <string>
#include <vector>

#include "host/trace/call_trace.h"
#include "host/vessel/vessel_state.h"

namespace bench {

// Doubles in hexadecimal floating point, so the text is exact; handles as their bits.
std::string ValueText(const host::TraceValue &value);
std::string CallText(const host::TraceCall &call);
std::string CallsText(const std::vector<host::TraceCall> &calls);

// The calls of one step of the vehicle, with the trace on for that step only.
std::vector<host::TraceCall> CaptureStep(host::Vessel &vessel);

} // namespace bench
