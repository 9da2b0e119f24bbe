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
    if (value >= 9223372036854775807.0L) {
        return INT64_MAX;
    }
    if (value <= -9223372036854775808.0L) {
        return INT64_MIN;
    }
    // In range now; the default rounding mode rounds halves to even.
    return std::llrintl(value);
}

// A 64-bit pixel position as a 32-bit coordinate, saturating.
inline int NarrowToPixel(std::int64_t value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int>(value);
}

// Round, then narrow to a 32-bit pixel coordinate.
inline int RoundToPixel(long double value) {
    return NarrowToPixel(RoundExtended(value));
}

// a + b, saturating at the 64-bit limits.
inline std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? INT64_MAX : INT64_MIN;  // overflow needs a and b of b's sign
    }
    return sum;
}

}  // namespace pulsewell
