#pragma once

#include <QString>
#include <optional>

namespace pulsewell {

// The protocol version of every request: SNMPv1 reads the 32-bit octet
// counters; SNMPv2c and SNMPv3, which carry SNMPv2's PDUs, the 64-bit ones
// of ifXTable.
enum class SnmpVersion { V1, V2c, V3 };

// "1", "2c" or "3", as the settings, the start profile and the command line
// write it; parsing ignores case and takes a leading "v" or "SNMPv" ("V3",
// "SNMPv2c"); nothing for any other text.
std::optional<SnmpVersion> ParseSnmpVersion(const QString& text);
QString SnmpVersionText(SnmpVersion version);
// "1, 2c or 3", for the message of a text that names none.
QString SnmpVersionChoices();
// "SNMPv1", "SNMPv2c", "SNMPv3", for messages.
QString SnmpVersionName(SnmpVersion version);
// SNMPv2's PDUs: Counter64 values (ifXTable's counters and ifHighSpeed) and
// exception values instead of noSuchName.
bool CarriesCounter64(SnmpVersion version);

// A failure to reach the device ("Failure contacting host!") with what the
// protocol tells of it: the cause an SNMPv3 agent gave, or else, over
// SNMPv2c and SNMPv3, that the device did not answer in that version (some
// agents drop them without a word).
QString NoAnswerText(const QString& failure, SnmpVersion version,
                     const std::optional<QString>& cause = std::nullopt);

}  // namespace pulsewell
