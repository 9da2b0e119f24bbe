#pragma once

#include <cmath>
#include <cstdint>

namespace pulsewell {

// Nearest integer, halves to even, of a value computed in extended precision.
// Saturates at the 64-bit limits and maps NaN to 0, so that absurd scales or
// steps give far-away pixels instead of undefined behaviour.
inline std::int64_t RoundExtended(long double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const long double rounded = std::nearbyintl(value);
    if (rounded >= 9223372036854775807.0L) {
        return INT64_MAX;
    }
    if (rounded <= -9223372036854775808.0L) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(rounded);
}

// The same, narrowed to a 32-bit pixel coordinate.
inline int RoundToPixel(long double value) {
    const std::int64_t rounded = RoundExtended(value);
    if (rounded > INT32_MAX) {
        return INT32_MAX;
    }
    if (rounded < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int>(rounded);
}

}  // namespace pulsewell
