// A mesh as the host keeps it: loaded once per process by name.
#pragma once

#include <string>

namespace host {

struct Mesh {
    std::string name; // as the module asked for it, without folder or extension
};

} // namespace host
