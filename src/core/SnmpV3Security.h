#pragma once

#include <QString>
#include <optional>

#include "snmp/V3Security.h"

namespace pulsewell {

// Who asks over SNMPv3 and how its requests are protected (the User-based
// Security Model), as the options dialog, a start profile and the command
// line name it. The passphrases live only in memory: the desktop's keyring
// or the environment gives them, never the settings file.
struct SnmpV3Security {
    QString User;
    snmp::TV3Flags Level = snmp::TV3Flags::AuthPriv;
    snmp::TV3Auth AuthProtocol = snmp::TV3Auth::AuthSHA1;
    QString AuthPassphrase;
    snmp::TV3Priv PrivProtocol = snmp::TV3Priv::PrivAES;
    QString PrivPassphrase;
    QString Context;

    bool operator==(const SnmpV3Security&) const = default;
};

// The same for the SNMP layer: names and passphrases as UTF-8.
snmp::TV3Security ToSnmpSecurity(const SnmpV3Security& security);

// "noAuthNoPriv", "authNoPriv", "authPriv"; "MD5", "SHA", "SHA-224" ...;
// "DES", "AES" ... "AES-256-C". Parsing ignores case and dashes.
QString SecurityLevelText(snmp::TV3Flags level);
QString AuthProtocolText(snmp::TV3Auth protocol);
QString PrivProtocolText(snmp::TV3Priv protocol);
std::optional<snmp::TV3Flags> ParseSecurityLevelText(const QString& text);
std::optional<snmp::TV3Auth> ParseAuthProtocolText(const QString& text);
std::optional<snmp::TV3Priv> ParsePrivProtocolText(const QString& text);
// Every protocol in the order menus offer them.
const QList<snmp::TV3Auth>& AuthProtocols();
const QList<snmp::TV3Priv>& PrivProtocols();

// The environment variables that give the passphrases to one run of either
// program, so that they never stand on a command line.
inline constexpr char kAuthPassphraseVariable[] = "PULSEWELL_AUTH_PASSPHRASE";
inline constexpr char kPrivPassphraseVariable[] = "PULSEWELL_PRIV_PASSPHRASE";
// Takes the passphrases that the environment sets; false when it sets neither.
bool TakePassphrasesFromEnvironment(SnmpV3Security& security);

// Why an SNMPv3 request failed, in words for a status line
// ("SNMPv3: authentication failed (wrong authentication passphrase or
// protocol)"); nothing where there is no cause to tell (an answer, or
// silence, which the callers put as "did not answer").
std::optional<QString> V3FailureCause(snmp::TV3Problem problem);

}  // namespace pulsewell
