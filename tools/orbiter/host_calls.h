// The host's operations, which the program's exports forward to; set at start-up, before
// any module loads.
#pragma once

#include "host/core/module_boundary.h"

namespace orbiter {

extern const SimhostCalls *hostCalls;

inline const SimhostCalls &Host() { return *hostCalls; }

} // namespace orbiter
