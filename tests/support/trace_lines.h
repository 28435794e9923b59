// Reading JSON back in the tests. The parser is compiled once, here: it is the costliest
// part of nlohmann-json to compile, and most test files only look values up.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace testing_support {

nlohmann::json ParseJson(const std::string &text);
// One value per line, as traces are written (JSON Lines).
std::vector<nlohmann::json> TraceLines(const std::string &jsonl);

} // namespace testing_support
