// A vehicle of a real module in the stand-in host, with the readings scripted, and the
// animation indices its rig gives each moving part.
#pragma once

#include <string>
#include <vector>

#include "tests/support/host_fixture.h"

namespace vehicle_testing {

struct RigIndices {
    int latchLeft, latchRight, leverLeft1, leverRight1, leverLeft2, leverRight2;
    int doorLeft, doorRight, wheelsRightFwd, wheelsLeftFwd, wheelsRightRev, wheelsLeftRev;
    int turret = -1, cannon = -1, roof = -1; // -1 where the module has none
};

RigIndices IndicesOf(const std::string &className);

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
    RigIndices rig{};
};

std::string Anim(int index, double state); // "SetAnimation(index, state)"

} // namespace vehicle_testing
