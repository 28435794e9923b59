// A scenario: plain text modelled on the simulator's own scenario files. It sets the
// run (step length, duration, sound, physics), names the vessels with their class and
// place, the vessel with the input focus, and the driver's input over time. The README
// documents the format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct ScenarioShip {
    std::string name;
    std::string className;
    double x = 0, z = 0; // m, on the ground plane
    double heading = 0;  // degrees, 0 faces +z, positive turns right
    int line = 0;        // where the ship is declared
};

enum class InputAction {
    Main,      // main throttle level, 0..1
    Retro,     // retro throttle level, 0..1
    Yaw,       // yaw input, -1..1, negative turns left
    Key,       // a key press: key-down, then key-up
    Visual,    // create (on) or destroy (off) the vessel's visual
    Focus,     // give the input focus to the vessel
    Airspeed,  // scripted airspeed, m/s (physics off)
    AirVector, // scripted airspeed vector in the vessel frame, m/s (physics off)
    Ground,    // scripted ground contact (physics off)
};

struct ScenarioEvent {
    double time = 0; // s
    int line = 0;
    InputAction action = InputAction::Main;
    int vessel = -1;               // index into Scenario::ships
    double value[3] = {};          // the level, the airspeed or the vector
    bool on = false;               // Visual, Ground
    unsigned key = 0;              // scan code
    std::optional<double> holdFor; // FOR N: the value falls back to 0 after N s
};

struct Scenario {
    std::string file; // as named in errors
    std::string description;
    double step = 0.02;   // s
    double duration = 10; // s
    bool sound = true;    // load the sound library
    bool physics = true;  // off: the readings are scripted
    int focus = 0;        // index into ships
    std::vector<ScenarioShip> ships;
    std::vector<ScenarioEvent> events; // in file order, times never decreasing
    // What the file says that the run will not do, as "file:line: what" (input lines
    // after the end of the run).
    std::vector<std::string> warnings;

    // Steps of the run: enough to cover the duration.
    std::int64_t StepCount() const;
};

// Limits that keep a scenario's run and memory bounded whatever the file holds; the
// README lists them, and each error message names its own. The number of ships has
// none of its own: the file's size bounds it, and a run refuses a fleet larger than the
// memory it has before it starts.
inline constexpr std::size_t kMaxScenarioBytes = std::size_t(256) << 20;
inline constexpr std::size_t kMaxLineLength = 1024;
inline constexpr std::size_t kMaxEvents = 10000000;
inline constexpr std::int64_t kMaxSteps = 10000000;

// Input is delivered before the first step that starts at or after its time, within a
// millionth of a step, so that sums of decimal step lengths that miss by a rounding
// error still count as on time. Pictures asked for at a time are drawn the same way.
inline constexpr double kDeliveryTolerance = 1e-6; // of a step
// The latest time of input delivered before a step that starts at `start`, of length
// `step`.
inline double DueBy(double start, double step) { return start + step * kDeliveryTolerance; }

// Parses scenario text; throws host::Error naming the file, the line and what was
// expected.
Scenario ParseScenario(std::string_view text, const std::string &file);
// Reads and parses a scenario file.
Scenario LoadScenario(const std::string &path);

// Throws host::Error at the first ship whose class is not among `classes`.
void CheckClasses(const Scenario &scenario, const std::vector<std::string> &classes,
                  const std::string &moduleDirectory);

// Keys by name as on a US keyboard ("K", "1", "SPACE", "F1") and DirectInput scan code.
std::optional<unsigned> ScanCodeOf(std::string_view name);
// The key's name, or its scan code in decimal.
std::string KeyName(unsigned scanCode);

} // namespace host
