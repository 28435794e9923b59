// The callbacks the host makes on a vessel, as virtual calls of the VESSEL2 it is, made
// under the C++ ABI of the file that includes this (libsimhost for the modules built
// like it, the stand-in Orbiter.exe for the simulator's own ABI).
#pragma once

#include "host/core/module_boundary.h"

namespace host::this_abi {

inline VESSEL2 &Callbacks(VESSEL *vessel) { return *static_cast<VESSEL2 *>(vessel); }

constexpr SimhostVesselCallbacks kVesselCallbacks = {
#define VESSEL2_CALLBACK(result, name, ...)                                                        \
    .name = [](SIMHOST_PASSED_PARAMETERS((VESSEL *, vessel),                                       \
                                         __VA_ARGS__)) -> boundary::Passed<result> {               \
        return Callbacks(vessel).name(INTERFACE_EACH(SIMHOST_FROM_TABLE, __VA_ARGS__));            \
    },
#include "sdk/interface_calls.inc"
};

} // namespace host::this_abi
