#include "tests/support/trace_lines.h"

#include <sstream>

namespace testing_support {

nlohmann::json ParseJson(const std::string &text) { return nlohmann::json::parse(text); }

std::vector<nlohmann::json> TraceLines(const std::string &jsonl)
{
    std::vector<nlohmann::json> calls;
    std::istringstream lines(jsonl);
    std::string line;
    while (std::getline(lines, line))
        calls.push_back(nlohmann::json::parse(line));
    return calls;
}

} // namespace testing_support
