// Orbiter.exe: the stand-in simulator as the simulator's own executable. The modules it
// loads import the interface from it by the simulator's C++ names (interface_exports.cpp);
// the run itself is the host's (vesselhost_run.dll, over libsimhost.dll), called back
// into the modules' vessels through this compiler's virtual calls. No C runtime: the
// program's code is these few forwarding calls, and its entry point is its own.
#include "tools/orbiter/host_calls.h"

const SimhostCalls *orbiter::hostCalls = nullptr;

namespace {

VESSEL2 &Callbacks(VESSEL *vessel) { return *static_cast<VESSEL2 *>(vessel); }

constinit const SimhostVesselCallbacks kVesselCallbacks = {
    .SetClassCaps = [](VESSEL *v, FILEHANDLE cfg) { Callbacks(v).clbkSetClassCaps(cfg); },
    .PostCreation = [](VESSEL *v) { Callbacks(v).clbkPostCreation(); },
    .PostStep = [](VESSEL *v, double simt, double simdt,
                   double mjd) { Callbacks(v).clbkPostStep(simt, simdt, mjd); },
    .ConsumeBufferedKey =
        [](VESSEL *v, DWORD key, bool down, char *kstate) {
            return Callbacks(v).clbkConsumeBufferedKey(key, down, kstate);
        },
    .VisualCreated = [](VESSEL *v, VISHANDLE vis,
                        int refcount) { Callbacks(v).clbkVisualCreated(vis, refcount); },
    .VisualDestroyed = [](VESSEL *v, VISHANDLE vis,
                          int refcount) { Callbacks(v).clbkVisualDestroyed(vis, refcount); },
};

} // namespace

// The run library's entry (tools/vesselhost_run), which ends the process.
extern "C"
    [[noreturn]] __declspec(dllimport) void VesselhostRun(const SimhostVesselCallbacks *callbacks);

// Floating-point code in a program without the C runtime still needs its marker.
extern "C" int _fltused = 0;

extern "C" void OrbiterMain()
{
    orbiter::hostCalls = SimhostGetCalls();
    VesselhostRun(&kVesselCallbacks);
}
