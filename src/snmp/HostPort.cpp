#include "snmp/HostPort.h"

namespace pulsewell::snmp {

namespace {

bool IsPortNumber(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

}  // namespace

HostPort SplitHostPort(std::string_view text) {
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            const std::string_view host = text.substr(1, close - 1);
            const std::string_view rest = text.substr(close + 1);
            if (rest.empty()) {
                return {std::string(host), {}};
            }
            if (rest.front() == ':' && IsPortNumber(rest.substr(1))) {
                return {std::string(host), std::string(rest.substr(1))};
            }
        }
        return {std::string(text), {}};
    }
    const std::size_t colon = text.find(':');
    // More than one colon: an IPv6 literal, never a port.
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos) {
        return {std::string(text), {}};
    }
    const std::string_view port = text.substr(colon + 1);
    if (colon == 0 || !IsPortNumber(port)) {
        return {std::string(text), {}};
    }
    return {std::string(text.substr(0, colon)), std::string(port)};
}

}  // namespace pulsewell::snmp
