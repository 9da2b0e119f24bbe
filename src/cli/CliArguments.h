#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "SnmpV3Security.h"
#include "SnmpVersion.h"

namespace pulsewell::cli {

// Arguments that do not fit the command line's fixed interface.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How every command reaches the device: host, community, version and, for
// SNMPv3, who asks.
struct ConnectionOptions {
    QString host;
    QString community = QStringLiteral("cobalt");
    // Unset: the stored setting decides. The SNMPv3 options alone choose 3.
    std::optional<SnmpVersion> snmpVersion;
    // --user and what goes with it (level, protocols, context), without the
    // passphrases; unset: the stored SNMPv3 settings hold.
    std::optional<SnmpV3Security> security;
    // From --auth-passphrase-file and --priv-passphrase-file, else from the
    // environment; unset where neither gives one.
    std::optional<QString> authPassphrase;
    std::optional<QString> privPassphrase;
};

struct PollOptions : ConnectionOptions {
    QString interface;
    QString bandwidth = QStringLiteral("0");
    int interval = 6;
    std::optional<qint64> count;
    // Unset: the stored settings decide.
    std::optional<bool> showBytes;
    std::optional<bool> continueOnErrors;
    bool log = false;
    bool debugLog = false;
};

// The arguments of discover and info.
struct DiscoverOptions : ConnectionOptions {};

// The arguments after the command word. Options take their value as the next
// argument or after "="; anything unknown, missing or malformed is a UsageError.
PollOptions ParsePollArguments(const QStringList& arguments);
DiscoverOptions ParseDiscoverArguments(const QStringList& arguments);

QString UsageText();
// What --version prints, in the form "NAME (PACKAGE) VERSION".
QString VersionText();

}  // namespace pulsewell::cli
