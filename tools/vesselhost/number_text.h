// Numbers as text that reads back to the same double: the shortest round-trip form.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace vesselhost {

inline void AppendNumber(double value, std::string &out)
{
    char buffer[32];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

inline void AppendInteger(std::int64_t value, std::string &out)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

} // namespace vesselhost
