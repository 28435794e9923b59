// What the parsers' fuzz targets require of a rejected input's error: the file's name,
// a line of the input, then `after` and some text, as in "FILE:LINE: expected ...".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fuzzing {

// What is wrong with `message` as an error about `text` read as `file`; empty if nothing.
inline std::string ErrorLineProblem(const std::string &message, std::string_view text,
                                    const std::string &file, std::string_view after)
{
    const std::string prefix = file + ":";
    if (message.compare(0, prefix.size(), prefix) != 0)
        return "error without the file name: " + message;
    std::size_t end = prefix.size(), line = 0;
    while (end < message.size() && message[end] >= '0' && message[end] <= '9' && line < 1000000000)
        line = line * 10 + std::size_t(message[end++] - '0');
    if (end == prefix.size() || message.compare(end, after.size(), after) != 0 ||
        end + after.size() >= message.size())
        return "error without a line and what was expected: " + message;
    std::size_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    if (line < 1 || line > lines)
        return "error names line " + std::to_string(line) + " of " + std::to_string(lines) + ": " +
               message;
    return {};
}

} // namespace fuzzing
