// Names every operation of the interface's list (sdk/interface_calls.inc), so that the
// compiled object refers to each one by the decorated name the simulator's executable
// exports it under. The build reads those names back from the object to make the
// executable's import library (interface_def.cmake): what a module may import from
// the simulator is, by construction, what the list holds, in this ABI's spelling, and
// the list's check ties each row to the interface headers. Never linked into anything.
#include <new>

#include "sdk/interface_calls.h"

namespace {

// Its table holds every VESSEL2 callback, so the object names each of them (the address
// of a virtual member would name a thunk instead).
struct EveryCallback final : VESSEL2 {
    using VESSEL2::VESSEL2;
};

// Addresses of one type each, for the tables below.
using AnyOperation = void (VESSEL::*)();
using AnyFunction = void (*)();

template <typename Operation>
AnyOperation Address(Operation VESSEL::*operation)
{
    return reinterpret_cast<AnyOperation>(operation);
}

template <typename Function>
AnyFunction Address(Function *function)
{
    return reinterpret_cast<AnyFunction>(function);
}

} // namespace

// The constructors, called in place.
VESSEL *ConstructVessel(void *place, OBJHANDLE handle) { return new (place) VESSEL(handle); }

VESSEL2 *ConstructVessel2(void *place, OBJHANDLE handle)
{
    return new (place) EveryCallback(handle);
}

// Every other function by its address.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
extern const AnyOperation vesselOperations[] = {
#define VESSEL_OPERATION(result, name, ...) Address(&VESSEL::name),
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name) Address(&VESSEL::name),
#define VESSEL_OVERLOAD(result, name, entry, ...)                                                  \
    Address(static_cast<INTERFACE_OPERATION_TYPE(result, __VA_ARGS__)>(&VESSEL::name)),
#include "sdk/interface_calls.inc"
};

extern const AnyFunction freeFunctions[] = {
#define OAPI_FUNCTION(result, name, ...) Address(&name),
#include "sdk/interface_calls.inc"
};
#pragma GCC diagnostic pop
