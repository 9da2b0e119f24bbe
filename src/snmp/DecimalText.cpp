#include "snmp/DecimalText.h"

namespace pulsewell::snmp {

std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t min,
                                         std::int64_t max) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (negative) {
        value = -value;
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace pulsewell::snmp
