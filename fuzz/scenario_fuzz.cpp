// Fuzz target: the scenario parser on arbitrary text. A scenario it accepts can be run
// as it stands (ships to run, a focus and input that name them, times in order, values
// in their ranges, a bounded number of steps); one it rejects is named in a host::Error
// of the form "FILE:LINE: ...", with a line that exists in the input.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "fuzz/error_line.h"
#include "host/base/host_error.h"
#include "host/scenario/scenario.h"

namespace {

const std::string kFile = "fuzz.scn";

[[noreturn]] void Broken(const std::string &what)
{
    std::fprintf(stderr, "scenario parser: %s\n", what.c_str());
    std::abort();
}

bool Within(double value, double low, double high) { return value >= low && value <= high; }

void CheckEvent(const host::Scenario &scenario, const host::ScenarioEvent &event)
{
    if (event.vessel < 0 || std::size_t(event.vessel) >= scenario.ships.size())
        Broken("an input line names no ship, line " + std::to_string(event.line));
    switch (event.action) {
    case host::InputAction::Main:
    case host::InputAction::Retro:
        if (!Within(event.value[0], 0, 1))
            Broken("a throttle level outside 0..1");
        break;
    case host::InputAction::Yaw:
        if (!Within(event.value[0], -1, 1))
            Broken("a yaw level outside -1..1");
        break;
    case host::InputAction::Key:
        if (event.key < 1 || event.key > 255)
            Broken("a scan code outside 1..255");
        break;
    case host::InputAction::Airspeed:
    case host::InputAction::AirVector:
    case host::InputAction::Ground:
        if (scenario.physics)
            Broken("scripted readings with the physics on");
        for (double v : event.value)
            if (!std::isfinite(v))
                Broken("a scripted reading that is not finite");
        break;
    case host::InputAction::Visual:
    case host::InputAction::Focus:
        break;
    }
    if (event.holdFor && !(*event.holdFor > 0 && std::isfinite(*event.holdFor)))
        Broken("a FOR span that is not a positive time");
}

void CheckScenario(const host::Scenario &scenario)
{
    if (scenario.ships.empty())
        Broken("no ship");
    if (scenario.focus < 0 || std::size_t(scenario.focus) >= scenario.ships.size())
        Broken("a focus that names no ship");
    if (!(scenario.step > 0 && scenario.step <= 1) || !(scenario.duration >= 0) ||
        !std::isfinite(scenario.duration))
        Broken("a step length or duration out of range");
    if (scenario.StepCount() > host::kMaxSteps)
        Broken("more than the most steps a run may take");
    std::set<std::string> names;
    for (const auto &ship : scenario.ships) {
        if (ship.name.empty() || ship.className.empty() || !names.insert(ship.name).second)
            Broken("a ship without a name or class, or a name used twice");
        if (!std::isfinite(ship.x) || !std::isfinite(ship.z) || !Within(ship.heading, -360, 360))
            Broken("a ship's place out of range");
    }
    if (scenario.events.size() > host::kMaxEvents)
        Broken("more input lines than a scenario may have");
    double last = 0;
    for (const auto &event : scenario.events) {
        if (!(event.time >= last) || !std::isfinite(event.time))
            Broken("input times out of order at line " + std::to_string(event.line));
        last = event.time;
        CheckEvent(scenario, event);
    }
}

void CheckError(const std::string &message, const std::string &text)
{
    if (const std::string problem = fuzzing::ErrorLineProblem(message, text, kFile, ": ");
        !problem.empty())
        Broken(problem);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    try {
        CheckScenario(host::ParseScenario(text, kFile));
    } catch (const host::Error &e) {
        CheckError(e.what(), text);
    }
    return 0;
}
