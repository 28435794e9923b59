// The host's side of the C boundary: its operations as the table, each through a view of
// the vessel as this compiler's VESSEL, and the callbacks on vessels of this ABI.
#include "host/core/module_boundary.h"

#include "host/core/simulator.h"
#include "host/core/vessel_callbacks.h"

namespace {

using host::boundary::Passed;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
const SimhostCalls kCalls = {
#define VESSEL_OPERATION(result, name, ...)                                                        \
    .name = [](SIMHOST_PASSED_PARAMETERS((OBJHANDLE, vessel), __VA_ARGS__)) -> Passed<result> {    \
        return VESSEL(vessel).name(INTERFACE_EACH(SIMHOST_FROM_TABLE, __VA_ARGS__));               \
    },
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name)                                           \
    .name = [](OBJHANDLE vessel, int flightmodel) -> Passed<result> {                              \
        return VESSEL(vessel, flightmodel).name();                                                 \
    },
#define VESSEL_OVERLOAD(result, name, entry, ...)                                                  \
    .entry = [](SIMHOST_PASSED_PARAMETERS((OBJHANDLE, vessel), __VA_ARGS__)) -> Passed<result> {   \
        return VESSEL(vessel).name(INTERFACE_EACH(SIMHOST_FROM_TABLE, __VA_ARGS__));               \
    },
#define OAPI_FUNCTION(result, name, ...)                                                           \
    .name = [](INTERFACE_EACH(SIMHOST_PASSED_PARAMETER, __VA_ARGS__)) -> Passed<result> {          \
        return name(INTERFACE_EACH(SIMHOST_FROM_TABLE, __VA_ARGS__));                              \
    },
#include "sdk/interface_calls.inc"
};
#pragma GCC diagnostic pop

} // namespace

namespace host {

const SimhostVesselCallbacks kNativeVesselCallbacks = this_abi::kVesselCallbacks;

} // namespace host

const SimhostCalls *SimhostGetCalls() { return &kCalls; }

void SimhostUseVesselCallbacks(const SimhostVesselCallbacks *callbacks)
{
    host::Simulator::Get().SetVesselCallbacks(callbacks ? callbacks
                                                        : &host::kNativeVesselCallbacks);
}
