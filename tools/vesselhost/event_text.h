// Input lines as the run's log shows them.
#pragma once

#include <string>

#include "host/scenario/scenario.h"

namespace vesselhost {

// A number as the log writes it: the shortest of %g.
std::string Decimal(double value);

// The event of `vessel` as the log tells it: "V1 MAIN 0.5 for 2 s", "focus on V2".
std::string Describe(const host::ScenarioEvent &event, const std::string &vessel);

} // namespace vesselhost
