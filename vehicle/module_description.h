// What the engine takes from the module being built, besides its record: the module's
// page (modules/<name>/module.h) fills in one ModuleDescription, kModule, and the engine
// reads it at compile time. Every field must be given: a page that leaves one out fails
// to compile there.
#pragma once

#include <concepts>
#include <span>

#include "sound/wave_list.h"
#include "vehicle/keys.h"
#include "vehicle/rig.h"
#include "vehicle/surface_vehicle.h"

// A field of the description. Leaving it out of the page's initialiser makes the
// compiler build it from nothing, which stops here; the note below the error names the
// page's line, and the field is the one that line does not give.
template <class T>
struct Required {
    template <std::convertible_to<T> U>
    constexpr Required(const U &given) : value(given)
    {
    }

    template <bool kLeftOut = true>
    constexpr Required() : value{}
    {
        static_assert(!kLeftOut, "a module's description leaves out a field: every field of "
                                 "ModuleDescription (vehicle/module_description.h) must be given");
    }

    T value;
};

// engineState keeps its type and encoding from the module's record.
using EngineState = decltype(SurfaceVehicle::engineState);

struct EngineFlag {
    EngineState notStarted;
    EngineState started;
};

// A mechanism a module moves at a fixed point of the step, after `simdt` seconds.
using Mechanism = void (*)(SurfaceVehicle &v, double simdt);

// For a module that moves nothing at that point of the step.
inline void NoMechanism(SurfaceVehicle & /*v*/, double /*simdt*/) {}

struct ModuleDescription {
    Required<const char *> meshName;           // handed to the host without folder or extension
    Required<EngineFlag> engineFlag;           // the two values engineState takes
    Required<const Rig *> rig;                 // animations and their components
    Required<std::span<const KeyRow>> keys;    // keyboard commands
    Required<std::span<const WaveFile>> waves; // in loading order
    Required<Mechanism> beforeRolling;         // between braking and wheel rolling
    Required<Mechanism> afterDoors;            // after the rear door sequence
};
