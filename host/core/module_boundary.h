// The host's boundary to a vessel module as plain C: a table of the host operations a
// module calls (every VESSEL member and free function of the interface, over the vessel
// handle) and a table of the callbacks the host makes on a module's vessel, each with one
// entry for each row of the interface's list (sdk/interface_calls.inc), named after its
// call. A program whose modules follow another C++ ABI than the host's own compiler gives
// its modules the interface under that ABI's names, forwarding to the first table, and
// hands the host the second table, which makes the calls under that ABI.
#pragma once

#include "sdk/interface_calls.h"

namespace host::boundary {

// An interface type as the tables pass it: a reference as a pointer (never null), a
// result without the const that only the decorated names need.
template <class T>
struct Passing {
    using type = std::remove_cv_t<T>;
};
template <class T>
struct Passing<T &> {
    using type = T *;
};
template <class T>
using Passed = typename Passing<T>::type;

// A value of the interface's type T into a table's call, and out of it.
template <class T>
Passed<T> ToTable(T value)
{
    if constexpr (std::is_reference_v<T>)
        return &value;
    else
        return value;
}

template <class T>
T FromTable(Passed<T> value)
{
    if constexpr (std::is_reference_v<T>)
        return *value;
    else
        return value;
}

} // namespace host::boundary

// A row's parameter as the tables declare it, and its value into a table and out of it.
#define SIMHOST_PASSED_PARAMETER(type, name) host::boundary::Passed<type> name
#define SIMHOST_TO_TABLE(type, name) host::boundary::ToTable<type>(name)
#define SIMHOST_FROM_TABLE(type, name) host::boundary::FromTable<type>(name)
// An entry's parameters: its own first one, (type, name), then the row's, as the tables pass
// them; and its arguments: the first one, then the row's into the table.
#define SIMHOST_PASSED_PARAMETERS(first, ...)                                                      \
    INTERFACE_EACH(SIMHOST_PASSED_PARAMETER, first __VA_OPT__(, ) __VA_ARGS__)
#define SIMHOST_TO_TABLE_ARGUMENTS(first, ...)                                                     \
    first __VA_OPT__(, INTERFACE_EACH(SIMHOST_TO_TABLE, __VA_ARGS__))

extern "C" {

// The rows' names are the entries' declarators, which take no parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)

// Host operations; an overloaded member's entry is named in its row. The flight model is
// the object's own, which the host's table cannot reach through the handle.
struct SimhostCalls {
#define VESSEL_OPERATION(result, name, ...)                                                        \
    host::boundary::Passed<result> (*name)(                                                        \
        SIMHOST_PASSED_PARAMETERS((OBJHANDLE, vessel), __VA_ARGS__));
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name)                                           \
    host::boundary::Passed<result> (*name)(OBJHANDLE vessel, int flightmodel);
#define VESSEL_OVERLOAD(result, name, entry, ...) VESSEL_OPERATION(result, entry, __VA_ARGS__)
#define OAPI_FUNCTION(result, name, ...)                                                           \
    host::boundary::Passed<result> (*name)(INTERFACE_EACH(SIMHOST_PASSED_PARAMETER, __VA_ARGS__));
#include "sdk/interface_calls.inc"
};

// The callbacks the host makes on a vessel, given the object as the module's ovcInit
// returned it (a VESSEL, seen as the VESSEL2 it is by the table's own ABI).
struct SimhostVesselCallbacks {
#define VESSEL2_CALLBACK(result, name, ...)                                                        \
    host::boundary::Passed<result> (*name)(                                                        \
        SIMHOST_PASSED_PARAMETERS((VESSEL *, vessel), __VA_ARGS__));
#include "sdk/interface_calls.inc"
};

// NOLINTEND(bugprone-macro-parentheses)

// The host's operations.
OAPIFUNC const SimhostCalls *SimhostGetCalls();
// The callbacks for the vessels of the modules loaded from now on; null for the host's
// own ABI (the default).
OAPIFUNC void SimhostUseVesselCallbacks(const SimhostVesselCallbacks *callbacks);

} // extern "C"
