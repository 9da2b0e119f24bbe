#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace pulsewell {

// `value` with `decimals` (0 to 3) places, written at `to` from one rounded
// integer where that rounds as the exact value does: not negative, below
// 2^52 once scaled, and further from one half than the product's rounding
// error (half a unit in its last place). Null where it is not: ties are for
// the caller to round, std::to_chars to even, Qt up. Tables of thousands of
// numbers write most of them this way.
inline char* WriteClearOfHalf(char* to, double value, int decimals) {
    static constexpr std::array<std::uint64_t, 4> kScales = {1, 10, 100, 1000};
    constexpr double kExactBelow = 4503599627370496.0;  // 2^52: the fraction is exact
    if (decimals < 0 || decimals >= static_cast<int>(kScales.size()) || std::signbit(value)) {
        return nullptr;
    }
    const std::uint64_t scale = kScales[static_cast<std::size_t>(decimals)];
    const double scaled = value * static_cast<double>(scale);
    if (!(scaled < kExactBelow)) {
        return nullptr;
    }
    const auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (std::abs(fraction - 0.5) <= scaled * 0x1p-52) {
        return nullptr;
    }
    const std::uint64_t rounded = whole + (fraction > 0.5 ? 1 : 0);
    to = std::to_chars(to, to + 20, rounded / scale).ptr;
    if (decimals > 0) {
        *to++ = '.';
        for (std::uint64_t digit = scale / 10; digit > 0; digit /= 10) {
            *to++ = static_cast<char>('0' + rounded / digit % 10);
        }
    }
    return to;
}

}  // namespace pulsewell
