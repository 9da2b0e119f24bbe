#pragma once

#include <string>
#include <string_view>

// Agents on another port: "name:port", "a.b.c.d:port" and "[IPv6]:port" name
// the UDP port; any other text (a bare IPv6 literal included) is all host.
namespace pulsewell::snmp {

struct HostPort {
    std::string host;
    std::string port;  // empty when the text names none
};

HostPort SplitHostPort(std::string_view text);

}  // namespace pulsewell::snmp
