// Names every operation that the simulator's interface headers declare, so that the
// compiled object refers to each one by the decorated name the simulator's executable
// exports it under. The build reads those names back from the object to make the
// executable's import library (interface_def.cmake): what a module may import from
// the simulator is, by construction, what the headers declare, in this ABI's spelling.
// Never linked into anything.
#include <new>

#include "sdk/Orbitersdk.h"

namespace {

// Its table holds every VESSEL2 callback, so the object names each of them.
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

// Every other function by its address. A new declaration in the headers gets its row
// here; a module that used a declaration without a row would fail to link.
extern const AnyOperation vesselOperations[] = {
    Address(&VESSEL::GetHandle),
    Address(&VESSEL::GetFlightModel),
    Address(&VESSEL::SetSize),
    Address(&VESSEL::SetEmptyMass),
    Address(&VESSEL::SetCW),
    Address(&VESSEL::SetWingAspect),
    Address(&VESSEL::SetWingEffectiveness),
    Address(&VESSEL::SetCrossSections),
    Address(&VESSEL::SetRotDrag),
    Address(&VESSEL::SetPMI),
    Address(&VESSEL::SetPitchMomentScale),
    Address(&VESSEL::SetBankMomentScale),
    Address(&VESSEL::SetTrimScale),
    Address(&VESSEL::SetTouchdownPoints),
    Address(&VESSEL::EnableTransponder),
    Address(&VESSEL::CreatePropellantResource),
    Address(&VESSEL::CreateThruster),
    Address(&VESSEL::CreateThrusterGroup),
    Address(&VESSEL::AddMesh),
    Address(&VESSEL::SetMeshVisibilityMode),
    Address(&VESSEL::GetMesh),
    Address(&VESSEL::CreateAnimation),
    Address(&VESSEL::AddAnimationComponent),
    Address(&VESSEL::SetAnimation),
    Address(&VESSEL::GetAirspeed),
    Address(&VESSEL::GetAirspeedVector),
    Address(&VESSEL::GetControlSurfaceLevel),
    Address(&VESSEL::GroundContact),
    Address(&VESSEL::GetThrusterLevel),
    Address(&VESSEL::SetThrusterLevel),
    Address(static_cast<void (VESSEL::*)(THGROUP_HANDLE, double) const>(
        &VESSEL::SetThrusterGroupLevel)),
    Address(
        static_cast<void (VESSEL::*)(THGROUP_TYPE, double) const>(&VESSEL::SetThrusterGroupLevel)),
    Address(&VESSEL::SetThrusterMax0),
    Address(&VESSEL::AddForce),
    Address(&VESSEL::SetCameraDefaultDirection),
    Address(&VESSEL::SetCameraOffset),
};

extern const AnyFunction freeFunctions[] = {
    Address(&oapiLoadMeshGlobal),
    Address(&oapiGetFocusShipAirspeedVector),
    Address(&oapiGetSimTime),
    Address(&oapiWriteLog),
    Address(&InitLib),
    Address(&Date2Int),
};
