#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace pulsewell::test {

// Doubles spread over many magnitudes and digits, the same on every run
// (xorshift), for checking a number writer against another one.
inline std::vector<double> SpreadValues(int count) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count));
    std::uint64_t state = 88172645463325252u;
    for (int i = 0; i < count; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        values.push_back(static_cast<double>(state % 1000000007u) /
                         std::pow(10.0, static_cast<double>(state % 13)));
    }
    return values;
}

}  // namespace pulsewell::test
