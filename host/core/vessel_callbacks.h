// The callbacks the host makes on a vessel, as virtual calls of the VESSEL2 it is, made
// under the C++ ABI of the file that includes this (libsimhost for the modules built
// like it, the stand-in Orbiter.exe for the simulator's own ABI).
#pragma once

#include "host/core/module_boundary.h"
#include "sdk/VesselAPI.h"

namespace host::this_abi {

inline VESSEL2 &Callbacks(VESSEL *vessel) { return *static_cast<VESSEL2 *>(vessel); }

constexpr SimhostVesselCallbacks kVesselCallbacks = {
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

} // namespace host::this_abi
