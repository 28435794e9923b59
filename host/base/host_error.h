#pragma once

#include <stdexcept>

namespace host {

// Bad input to the host (a module, a mesh, a scenario): the message names the file,
// the line where there is one, and what was expected.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A run that cannot go on (a vessel's state no longer a finite number): a runtime
// failure, not bad input.
struct RunError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace host
