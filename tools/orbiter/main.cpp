// Orbiter.exe: the stand-in simulator as the simulator's own executable. The modules it
// loads import the interface from it by the simulator's C++ names (interface_exports.cpp);
// the run itself is the host's (vesselhost_run.dll, over libsimhost.dll), called back
// into the modules' vessels through this compiler's virtual calls. No C runtime: the
// program's code is these few forwarding calls, and its entry point is its own.
#include "host/core/vessel_callbacks.h"
#include "tools/orbiter/host_calls.h"

const SimhostCalls *orbiter::hostCalls = nullptr;

// The run library's entry (tools/vesselhost_run), which ends the process.
extern "C"
    [[noreturn]] __declspec(dllimport) void VesselhostRun(const SimhostVesselCallbacks *callbacks);

// Floating-point code in a program without the C runtime still needs its marker.
extern "C" int _fltused = 0;

extern "C" void OrbiterMain()
{
    orbiter::hostCalls = SimhostGetCalls();
    VesselhostRun(&host::this_abi::kVesselCallbacks);
}
