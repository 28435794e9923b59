#include "tools/vesselhost/report_encoding.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace vesselhost {

EncodedColumn EncodeColumn(const std::vector<float> &values)
{
    EncodedColumn column;
    bool any = false, allFinite = true;
    for (float v : values) {
        if (!std::isfinite(v)) {
            allFinite = false;
            continue;
        }
        column.min = any ? std::min(column.min, v) : v;
        column.max = any ? std::max(column.max, v) : v;
        any = true;
    }
    if (allFinite && column.min == column.max)
        return column;
    const double levels = kNotANumber - 1;
    const double range = double(column.max) - double(column.min);
    column.deltas.reserve(values.size());
    std::uint16_t last = 0;
    for (float v : values) {
        std::uint16_t code = kNotANumber;
        if (std::isfinite(v))
            code = range > 0 ? std::uint16_t(std::lround((double(v) - column.min) / range * levels))
                             : 0;
        column.deltas.push_back(std::uint16_t(code - last));
        last = code;
    }
    return column;
}

template <class T>
nlohmann::json ByteBlock::Add(const char *type, const std::vector<T> &values)
{
    bytes_.resize((bytes_.size() + 3) / 4 * 4, '\0');
    nlohmann::json where = {{"type", type}, {"offset", bytes_.size()}, {"count", values.size()}};
    const std::size_t size = values.size() * sizeof(T);
    bytes_.resize(bytes_.size() + size);
    if (size)
        std::memcpy(bytes_.data() + bytes_.size() - size, values.data(), size);
    return where;
}

template nlohmann::json ByteBlock::Add(const char *, const std::vector<float> &);
template nlohmann::json ByteBlock::Add(const char *, const std::vector<std::uint32_t> &);
template nlohmann::json ByteBlock::Add(const char *, const std::vector<std::uint16_t> &);

std::string Deflate(std::string_view bytes)
{
    uLongf size = compressBound(uLong(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                  reinterpret_cast<const Bytef *>(bytes.data()), uLong(bytes.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("the report's data cannot be compressed");
    out.resize(size);
    return out;
}

std::string Base64(std::string_view bytes)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned n = unsigned(std::uint8_t(bytes[i])) << 16 |
                     unsigned(std::uint8_t(bytes[i + 1])) << 8 | std::uint8_t(bytes[i + 2]);
        for (int shift : {18, 12, 6, 0})
            out += kDigits[(n >> shift) & 63];
    }
    if (std::size_t rest = bytes.size() - i) {
        unsigned n = unsigned(std::uint8_t(bytes[i])) << 16;
        if (rest == 2)
            n |= unsigned(std::uint8_t(bytes[i + 1])) << 8;
        out += kDigits[(n >> 18) & 63];
        out += kDigits[(n >> 12) & 63];
        out += rest == 2 ? kDigits[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

} // namespace vesselhost
