// Reads a fuzzer's input as a stream of small values. Past the end every read gives
// zero, so any input, however short, is a complete program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace fuzzing {

class ByteReader {
public:
    ByteReader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return position_ >= size_; }

    std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }

    std::uint32_t Word()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return value;
    }

    // Mostly a value from the edges that matter to the vehicles (zero, the thresholds,
    // the caps, NaN, the infinities, the extremes); otherwise any eight bytes.
    double Number()
    {
        const std::uint8_t choice = Byte();
        if (choice < 0x80)
            return kEdgeValues[choice % kEdgeCount];
        std::uint8_t bytes[8] = {};
        for (auto &b : bytes)
            b = Byte();
        double value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    // clang-format off
    static constexpr double kEdgeValues[] = {
        0.0, -0.0, 0.02, 0.1, 0.5, 1.0, -1.0, 4.0, 0.15, 0.16, 13.0, 13.000001, 55.0, 56.0,
        100.0, -0.02, -0.5, -55.0, -100.0, 1e-300, std::numeric_limits<double>::denorm_min(),
        1e9, 1e300, -1e300, std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
        0.2, -0.2, 3.9999999};
    // clang-format on
    static constexpr std::size_t kEdgeCount = sizeof kEdgeValues / sizeof kEdgeValues[0];

    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace fuzzing
