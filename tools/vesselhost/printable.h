// Text from a file as the terminal gets it: control characters (escape sequences, a
// carriage return that would overwrite the line, C1 controls in UTF-8) written as \xNN,
// so a scenario or a mesh cannot drive the terminal. Line breaks and tabs stay.
#pragma once

#include <string>
#include <string_view>

namespace vesselhost {

inline std::string Printable(std::string_view text)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        bool c1 = c == 0xc2 && i + 1 < text.size() &&
                  static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                  static_cast<unsigned char>(text[i + 1]) <= 0x9f;
        if (c1)
            c = static_cast<unsigned char>(text[++i]);
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7f || c1) {
            out += "\\x";
            out += kDigits[c >> 4];
            out += kDigits[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

} // namespace vesselhost
