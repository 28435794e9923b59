// How a report page carries its numbers: columns quantised to 16 bits and stored as
// differences from one value to the next, laid one after another in a byte block that
// is deflated (zlib) and written as base64. The page undoes each step.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace vesselhost {

// The code of a value that is not a finite number; finite values take 0 to kNotANumber - 1.
inline constexpr std::uint16_t kNotANumber = 65535;

// A column as codes: value = min + code * (max - min) / (kNotANumber - 1). A column whose
// values are all the same finite number keeps no codes (its value is min).
struct EncodedColumn {
    float min = 0, max = 0;
    std::vector<std::uint16_t> deltas; // code[i] - code[i - 1] modulo 2^16; code[-1] = 0
};

EncodedColumn EncodeColumn(const std::vector<float> &values);

// The byte block: arrays appended at 4-byte boundaries, each described by a JSON object
// {"type": "f32" | "u32" | "u16", "offset": bytes, "count": elements} for the page.
class ByteBlock {
public:
    nlohmann::json Add(const std::vector<float> &values) { return Add("f32", values); }
    nlohmann::json Add(const std::vector<std::uint32_t> &values) { return Add("u32", values); }
    nlohmann::json Add(const std::vector<std::uint16_t> &values) { return Add("u16", values); }
    const std::string &Bytes() const { return bytes_; }

private:
    template <class T>
    nlohmann::json Add(const char *type, const std::vector<T> &values);

    std::string bytes_; // little-endian, as the machines the host runs on are
};

// The zlib stream of the bytes, at zlib's default level (the best takes seconds more
// for a big fleet and saves little).
std::string Deflate(std::string_view bytes);

std::string Base64(std::string_view bytes);

} // namespace vesselhost
