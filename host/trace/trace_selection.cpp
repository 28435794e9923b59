#include "host/trace/trace_selection.h"

#include <algorithm>

namespace host {

bool GlobMatches(std::string_view pattern, std::string_view text)
{
    // Greedy with one backtrack point: the last `*` seen takes one more character
    // whenever the rest fails to match.
    std::size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

namespace {

bool AnyMatches(const std::vector<std::string> &patterns, std::string_view name)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string &pattern) { return GlobMatches(pattern, name); });
}

} // namespace

bool TraceSelection::SelectsVesselName(std::string_view name) const
{
    return vessels.empty() || AnyMatches(vessels, name);
}

void TraceSelection::NoteVessel(int id, std::string_view name)
{
    if (id < 0)
        return;
    if (std::size_t(id) >= byVessel_.size())
        byVessel_.resize(id + 1, 0);
    byVessel_[id] = SelectsVesselName(name) ? 1 : 0;
}

bool TraceSelection::SelectsCall(const char *call) const
{
    auto [entry, added] = byCall_.try_emplace(call, false);
    if (added)
        entry->second = AnyMatches(calls, call);
    return entry->second;
}

} // namespace host
