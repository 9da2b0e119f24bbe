#pragma once

#include <cstdint>

namespace pulsewell {

// Colours are 0x00BBGGRR (red in the low byte) everywhere in the program;
// 0xFF000000 + index names a system colour taken from the current palette.
using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0xFF000000;

}  // namespace pulsewell
