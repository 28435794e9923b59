// The host's free functions that modules call.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "host/core/simulator.h"
#include "host/core/test_answers.h"
#include "host/library/dynamic_library.h"
#include "sdk/OrbiterAPI.h"

using host::Simulator;

// The const on the handle is the simulator's own declaration, kept for its linkage name.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
const MESHHANDLE oapiLoadMeshGlobal(const char *fname)
{
    Simulator &sim = Simulator::Get();
    MESHHANDLE mesh = fname ? sim.LoadMesh(fname) : nullptr;
    if (sim.Trace().enabled) [[unlikely]]
        sim.Record(-1, "oapiLoadMeshGlobal", {host::ToTrace(fname)},
                   host::ToTrace(host::HandleValue{mesh}));
    return mesh;
}
#pragma GCC diagnostic pop

BOOL oapiGetFocusShipAirspeedVector(VECTOR3 *speedvec)
{
    Simulator &sim = Simulator::Get();
    host::Vessel *focus = sim.Focus();
    BOOL ok = focus && speedvec ? TRUE : FALSE;
    if (ok)
        *speedvec = focus->readings.airspeedVector;
    if (sim.Trace().enabled) [[unlikely]]
        sim.Record(-1, "oapiGetFocusShipAirspeedVector",
                   {ok ? host::ToTrace(*speedvec) : host::TraceValue(nullptr)},
                   host::ToTrace(int(ok)));
    return ok;
}

double oapiGetSimTime() { return Simulator::Get().SimTime(); }

void oapiWriteLog(char *line)
{
    Simulator &sim = Simulator::Get();
    sim.WriteLog(line ? line : "");
    if (sim.Trace().enabled) [[unlikely]]
        sim.Record(-1, "oapiWriteLog", {host::ToTrace(static_cast<const char *>(line))});
}

void InitLib(HINSTANCE hModule)
{
    Simulator &sim = Simulator::Get();
    std::string name = host::LibraryNameOf(hModule);
    sim.NoteInitLib(name);
    // The trace names the module without the platform's suffix, the same everywhere.
    if (sim.Trace().enabled) [[unlikely]] {
        std::string module = std::filesystem::path(name).stem().string();
        sim.Record(-1, "InitLib", {host::ToTrace(module.c_str())});
    }
}

int Date2Int(char *date)
{
    static const char *const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    Simulator &sim = Simulator::Get();
    int result = 0;
    if (std::optional<int> answer = host::Date2IntAnswer()) {
        result = *answer;
    } else if (date) {
        char month[4] = {};
        int day = 0, year = 0, used = 0;
        if (std::sscanf(date, "%3s %d %d%n", month, &day, &year, &used) == 3 &&
            date[used] == '\0' && day >= 1 && day <= 31 && year >= 0) {
            for (int m = 0; m < 12; ++m)
                if (std::strcmp(month, kMonths[m]) == 0)
                    result = (year % 100) * 10000 + (m + 1) * 100 + day;
        }
    }
    if (sim.Trace().enabled) [[unlikely]]
        sim.Record(-1, "Date2Int", {host::ToTrace(static_cast<const char *>(date))},
                   host::ToTrace(result));
    return result;
}
