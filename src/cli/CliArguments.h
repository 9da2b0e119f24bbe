#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "SnmpVersion.h"

namespace pulsewell::cli {

// Arguments that do not fit the command line's fixed interface.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct PollOptions {
    QString host;
    QString interface;
    QString community = QStringLiteral("cobalt");
    QString bandwidth = QStringLiteral("0");
    int interval = 6;
    std::optional<qint64> count;
    // Unset: the stored settings decide.
    std::optional<bool> showBytes;
    std::optional<bool> continueOnErrors;
    std::optional<SnmpVersion> snmpVersion;
    bool log = false;
    bool debugLog = false;
};

// The arguments of discover and info.
struct DiscoverOptions {
    QString host;
    QString community = QStringLiteral("cobalt");
    // Unset: the stored setting decides.
    std::optional<SnmpVersion> snmpVersion;
};

// The arguments after the command word. Options take their value as the next
// argument or after "="; anything unknown, missing or malformed is a UsageError.
PollOptions ParsePollArguments(const QStringList& arguments);
DiscoverOptions ParseDiscoverArguments(const QStringList& arguments);

QString UsageText();
// What --version prints, in the form "NAME (PACKAGE) VERSION".
QString VersionText();

}  // namespace pulsewell::cli
