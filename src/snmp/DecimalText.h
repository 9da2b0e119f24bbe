#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal text to number for the codec: optional sign, then digits only.
namespace pulsewell::snmp {

// Empty when the text is not a number or lies outside [min, max].
std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t min, std::int64_t max);

}  // namespace pulsewell::snmp
