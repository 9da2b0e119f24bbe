#pragma once

#include <cmath>
#include <cstdint>

namespace pulsewell {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); saturates instead of
// overflowing for values outside the 64-bit range.
inline std::int64_t RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded >= 9223372036854775807.0) {
        return INT64_MAX;
    }
    if (rounded <= -9223372036854775808.0) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(rounded);
}

// Two's-complement arithmetic as the counters need it: wraps instead of being
// undefined when a hostile agent sends readings near the 64-bit limits.
inline std::int64_t WrappingAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline std::int64_t WrappingSub(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline std::int64_t WrappingMul(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
}

}  // namespace pulsewell
