// What the users of the interface's list (sdk/interface_calls.inc) spell its rows with,
// and the check that ties each row to the declaration a module compiles against: a row
// whose signature differs from its declaration fails to compile here.
#pragma once

#include <type_traits>

#include "sdk/Orbitersdk.h"

// INTERFACE_EACH(m, (type, name)...): m(type, name) for each parameter (up to eight: a
// row's seven at most and a table entry's own first one), separated by commas.
#define INTERFACE_EACH(m, ...)                                                                     \
    INTERFACE_GLUE(INTERFACE_EACH_, INTERFACE_COUNT(__VA_ARGS__))(m __VA_OPT__(, ) __VA_ARGS__)
#define INTERFACE_COUNT(...) INTERFACE_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define INTERFACE_COUNT_(p1, p2, p3, p4, p5, p6, p7, p8, count, ...) count
#define INTERFACE_GLUE(a, b) INTERFACE_GLUE_(a, b)
#define INTERFACE_GLUE_(a, b) a##b
#define INTERFACE_EACH_0(m)
#define INTERFACE_EACH_1(m, p) m p
#define INTERFACE_EACH_2(m, p, ...) m p, INTERFACE_EACH_1(m, __VA_ARGS__)
#define INTERFACE_EACH_3(m, p, ...) m p, INTERFACE_EACH_2(m, __VA_ARGS__)
#define INTERFACE_EACH_4(m, p, ...) m p, INTERFACE_EACH_3(m, __VA_ARGS__)
#define INTERFACE_EACH_5(m, p, ...) m p, INTERFACE_EACH_4(m, __VA_ARGS__)
#define INTERFACE_EACH_6(m, p, ...) m p, INTERFACE_EACH_5(m, __VA_ARGS__)
#define INTERFACE_EACH_7(m, p, ...) m p, INTERFACE_EACH_6(m, __VA_ARGS__)
#define INTERFACE_EACH_8(m, p, ...) m p, INTERFACE_EACH_7(m, __VA_ARGS__)

// A parameter as a declaration names it, and its type alone.
#define INTERFACE_PARAMETER(type, name) type name
#define INTERFACE_TYPE(type, name) type

// The type of a row's VESSEL member, VESSEL2 callback or free function.
#define INTERFACE_OPERATION_TYPE(result, ...)                                                      \
    result (VESSEL::*)(INTERFACE_EACH(INTERFACE_TYPE, __VA_ARGS__)) const
#define INTERFACE_CALLBACK_TYPE(result, ...)                                                       \
    result (VESSEL2::*)(INTERFACE_EACH(INTERFACE_TYPE, __VA_ARGS__))
#define INTERFACE_FUNCTION_TYPE(result, ...) result (*)(INTERFACE_EACH(INTERFACE_TYPE, __VA_ARGS__))

// The const of a `const OBJHANDLE` result is the simulator's, for its decorated names.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#define INTERFACE_DECLARED_AS(declared, type, what)                                                \
    static_assert(std::is_same_v<decltype(declared), type>,                                        \
                  what " is declared otherwise than its row in sdk/interface_calls.inc");
#define VESSEL_OPERATION(result, name, ...)                                                        \
    INTERFACE_DECLARED_AS(&VESSEL::name, INTERFACE_OPERATION_TYPE(result, __VA_ARGS__),            \
                          "VESSEL::" #name)
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name) VESSEL_OPERATION(result, name)
// An overloaded name has no one type: the cast picks the declaration of exactly the
// row's type, and does not compile without one.
#define VESSEL_OVERLOAD(result, name, entry, ...)                                                  \
    INTERFACE_DECLARED_AS(                                                                         \
        static_cast<INTERFACE_OPERATION_TYPE(result, __VA_ARGS__)>(&VESSEL::name),                 \
        INTERFACE_OPERATION_TYPE(result, __VA_ARGS__), "VESSEL::" #name)
#define VESSEL2_CALLBACK(result, name, ...)                                                        \
    INTERFACE_DECLARED_AS(&VESSEL2::name, INTERFACE_CALLBACK_TYPE(result, __VA_ARGS__),            \
                          "VESSEL2::" #name)
#define VESSEL2_CALLBACK_NEVER_MADE VESSEL2_CALLBACK
#define OAPI_FUNCTION(result, name, ...)                                                           \
    INTERFACE_DECLARED_AS(&name, INTERFACE_FUNCTION_TYPE(result, __VA_ARGS__), #name)
#include "sdk/interface_calls.inc"
#undef INTERFACE_DECLARED_AS
#pragma GCC diagnostic pop
