// A vehicle of a real module in the stand-in host, with the readings scripted, and the
// animation indices its rig gives each moving part.
#pragma once

#include <string>
#include <vector>

#include "tests/support/host_fixture.h"
#include "tests/support/rig_layout.h"

namespace vehicle_testing {

class VehicleTest : public testing_support::HostTest {
protected:
    // Creates the vehicle on the ground, in focus, at rest.
    host::Vessel &Make(const std::string &className, const std::string &name = "V");

    // One step of length dt; the calls the vehicle made during it.
    std::vector<host::TraceCall> Step(double dt = 0.02);
    // The step's SetAnimation and AddForce calls, as text.
    std::vector<std::string> StepEffects(double dt = 0.02);
    // The value the step handed to one animation (the last setting), or NaN if none.
    double StepAnimation(int animation, double dt = 0.02);

    // A key press and release; returns what the press returned (and checks the release
    // returns 0).
    int Press(DWORD key);

    void SetDrive(double mainLevel, double retroLevel, double rudder, double airspeed);
    void StartEngine() { Press(OAPI_KEY_K); }

    host::Vessel *v = nullptr;
    testing_support::RigLayout rig{};
};

std::string Anim(int index, double state); // "SetAnimation(index, state)"

} // namespace vehicle_testing
