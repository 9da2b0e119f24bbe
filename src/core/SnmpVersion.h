#pragma once

#include <QString>
#include <optional>

namespace pulsewell {

// The protocol version of every request: SNMPv1 reads the 32-bit octet
// counters, SNMPv2c the 64-bit ones of ifXTable.
enum class SnmpVersion { V1, V2c };

// "1" or "2c", as the settings, the start profile and the command line write
// it; nothing for any other text.
std::optional<SnmpVersion> ParseSnmpVersion(const QString& text);
QString SnmpVersionText(SnmpVersion version);

}  // namespace pulsewell
