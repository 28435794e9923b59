// The simulator's interface as the modules import it from Orbiter.exe: the VESSEL and
// VESSEL2 members and the free functions of the interface's list, under this compiler's
// (the simulator's) C++ names, each forwarding to the host's operation over the vessel
// handle.
#include "tools/orbiter/host_calls.h"

using orbiter::Host;

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(hVessel), flightmodel(short(fmodel)), version(0)
{
}

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

// The const of a `const OBJHANDLE` result is the simulator's, for its decorated names.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"

#define VESSEL_OPERATION(result, name, ...)                                                        \
    result VESSEL::name(INTERFACE_EACH(INTERFACE_PARAMETER, __VA_ARGS__)) const                    \
    {                                                                                              \
        return Host().name(SIMHOST_TO_TABLE_ARGUMENTS(vessel, __VA_ARGS__));                       \
    }
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name)                                           \
    result VESSEL::name() const { return Host().name(vessel, flightmodel); }
#define VESSEL_OVERLOAD(result, name, entry, ...)                                                  \
    result VESSEL::name(INTERFACE_EACH(INTERFACE_PARAMETER, __VA_ARGS__)) const                    \
    {                                                                                              \
        return Host().entry(SIMHOST_TO_TABLE_ARGUMENTS(vessel, __VA_ARGS__));                      \
    }
#include "sdk/interface_calls.inc"

// VESSEL2's callbacks: the defaults do nothing.
#include "host/core/vessel2_defaults.inc"

#define OAPI_FUNCTION(result, name, ...)                                                           \
    result name(INTERFACE_EACH(INTERFACE_PARAMETER, __VA_ARGS__))                                  \
    {                                                                                              \
        return Host().name(INTERFACE_EACH(SIMHOST_TO_TABLE, __VA_ARGS__));                         \
    }
#include "sdk/interface_calls.inc"

#pragma GCC diagnostic pop
