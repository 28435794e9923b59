// The names a library file exports, read from the file itself in the platform's format.
#pragma once

#include <set>
#include <string>

namespace testing_support {

// Defined, visible exports by name; empty (with a test failure) for an unreadable file.
std::set<std::string> ExportedNames(const std::string &path);

} // namespace testing_support
