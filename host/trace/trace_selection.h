// A narrower call trace: only the calls of some vessels, of some call names, within a
// window of simulated time. Names are matched exactly or as glob patterns (`*` any run
// of characters, `?` one character), e.g. `V1*` or `Set*`.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

bool GlobMatches(std::string_view pattern, std::string_view text);

class TraceSelection {
public:
    // Empty lists select every vessel and every call.
    std::vector<std::string> vessels, calls;
    double from = -std::numeric_limits<double>::infinity(); // s, inclusive
    double to = std::numeric_limits<double>::infinity();    // s, inclusive

    bool SelectsVesselName(std::string_view name) const;
    // Notes a vessel's name under its id, for Selects to look it up cheaply.
    void NoteVessel(int id, std::string_view name);

    // Whether a call of vessel `vessel` (-1: none) at time `t` is selected. A call that
    // belongs to no vessel is selected only when every vessel is.
    bool Selects(const char *call, int vessel, double t) const
    {
        if (t < from || t > to)
            return false;
        if (!vessels.empty() &&
            (vessel < 0 || std::size_t(vessel) >= byVessel_.size() || !byVessel_[vessel]))
            return false;
        return calls.empty() || SelectsCall(call);
    }

private:
    bool SelectsCall(const char *call) const;

    std::vector<char> byVessel_;
    // Call names are literals: the answer is kept by their address.
    mutable std::unordered_map<const char *, bool> byCall_;
};

} // namespace host
