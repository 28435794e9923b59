#include "tools/vesselhost/scenario_input.h"

#include <algorithm>
#include <functional>

namespace vesselhost {

ScenarioInput::ScenarioInput(std::size_t vessels) : drivers_(vessels), input_(vessels) {}

bool ScenarioInput::Holds(const host::ScenarioEvent &event)
{
    using host::InputAction;
    switch (event.action) {
    case InputAction::Main:
    case InputAction::Retro:
    case InputAction::Yaw:
    case InputAction::Airspeed:
    case InputAction::AirVector:
    case InputAction::Ground:
        return true;
    default:
        return false;
    }
}

void ScenarioInput::Hold(const host::ScenarioEvent &event)
{
    using host::InputAction;
    VesselInput &input = input_[event.vessel];
    if (event.action == InputAction::Ground) {
        input.ground = event.on;
        Changed(event.vessel, kAirspeed);
        return;
    }
    const Kind kind = event.action == InputAction::Main       ? kMain
                      : event.action == InputAction::Retro    ? kRetro
                      : event.action == InputAction::Yaw      ? kYaw
                      : event.action == InputAction::Airspeed ? kAirspeed
                                                              : kAirVector;
    Held &held = input.held[kind];
    for (int i = 0; i < (kind == kAirVector ? 3 : 1); ++i)
        held.value[i] = event.value[i];
    held.until.reset();
    if (event.holdFor) {
        held.until = event.time + *event.holdFor;
        expiries_.push_back({*held.until, std::uint32_t(event.vessel), kind});
        std::push_heap(expiries_.begin(), expiries_.end(), std::greater<>());
    }
    Changed(event.vessel, kind);
}

void ScenarioInput::ExpireBy(double due)
{
    while (!expiries_.empty() && expiries_.front().until <= due) {
        const Expiry expiry = expiries_.front();
        std::pop_heap(expiries_.begin(), expiries_.end(), std::greater<>());
        expiries_.pop_back();
        Held &held = input_[expiry.vessel].held[expiry.kind];
        if (held.until != expiry.until)
            continue; // set again since
        held.value[0] = held.value[1] = held.value[2] = 0;
        held.until.reset();
        Changed(expiry.vessel, expiry.kind);
    }
}

void ScenarioInput::Changed(std::size_t vessel, Kind kind)
{
    VesselInput &input = input_[vessel];
    if (kind == kMain || kind == kRetro || kind == kYaw) {
        drivers_[vessel].Set(
            {input.held[kMain].value[0], input.held[kRetro].value[0], input.held[kYaw].value[0]});
    } else if (!input.readingsChanged) {
        input.readingsChanged = true;
        readingsChanged_.push_back(std::uint32_t(vessel));
    }
}

void ScenarioInput::HandOverReadings(const std::vector<host::Vessel *> &vessels)
{
    for (std::uint32_t i : readingsChanged_) {
        VesselInput &input = input_[i];
        const double *v = input.held[kAirVector].value;
        host::Simulator::ScriptReadings(*vessels[i], input.held[kAirspeed].value[0],
                                        _V(v[0], v[1], v[2]), input.ground);
        input.readingsChanged = false;
    }
    readingsChanged_.clear();
}

} // namespace vesselhost
