#include "tools/vesselhost/event_text.h"

#include <cstdio>

namespace vesselhost {

std::string Decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Describe(const host::ScenarioEvent &event, const std::string &vessel)
{
    static const char *const kActions[] = {"MAIN",  "RETRO",    "YAW",    "KEY",   "VISUAL",
                                           "FOCUS", "AIRSPEED", "AIRVEC", "GROUND"};
    using host::InputAction;
    switch (event.action) {
    case InputAction::Focus:
        return "focus on " + vessel;
    case InputAction::Key:
        return vessel + " KEY " + host::KeyName(event.key);
    case InputAction::Visual:
    case InputAction::Ground:
        return vessel + " " + kActions[int(event.action)] + (event.on ? " ON" : " OFF");
    default:
        break;
    }
    std::string text = vessel + " " + kActions[int(event.action)];
    for (int i = 0; i < (event.action == InputAction::AirVector ? 3 : 1); ++i)
        text += " " + Decimal(event.value[i]);
    if (event.holdFor)
        text += " for " + Decimal(*event.holdFor) + " s";
    return text;
}

} // namespace vesselhost
