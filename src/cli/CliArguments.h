#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "core/ProgramDefaults.h"
#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"

namespace pulsewell::cli {

// Arguments that do not fit the command line's fixed interface. Where its
// shape is wrong (an unknown, missing or clashing option) the usage helps;
// where an option's value is, the message alone says what to mend.
class UsageError : public std::runtime_error {
  public:
    enum Kind { Shape, Value };
    explicit UsageError(const std::string& problem, Kind kind = Shape)
        : std::runtime_error(problem), kind_(kind) {}
    bool ShowsUsage() const { return kind_ == Shape; }

  private:
    Kind kind_;
};

// How every command talks to the device, beyond host, community and version.
struct ConnectionOptions {
    // Unset: the reader's own waits (5 s once for single reads, 2 s twice
    // for the query component).
    std::optional<int> timeoutSeconds;
    std::optional<int> retries;
    // SNMPv3: --user and what goes with it (level, protocols, context),
    // without the passphrases; unset: the stored SNMPv3 settings hold.
    std::optional<SnmpV3Security> security;
    // From --auth-passphrase-file and --priv-passphrase-file, else from the
    // environment; unset where neither gives one.
    std::optional<QString> authPassphrase;
    std::optional<QString> privPassphrase;
};

enum class OutputFormat { Text, Csv, Json };

struct PollOptions {
    QString host;
    QString interface;
    QString community = defaults::Community();
    // Unset: the interface's own speed.
    std::optional<QString> bandwidth;
    int interval = defaults::kPollInterval;
    std::optional<qint64> count;
    // Unset: the stored settings decide.
    std::optional<bool> showBytes;
    std::optional<bool> continueOnErrors;
    std::optional<SnmpVersion> snmpVersion;
    bool log = false;
    bool debugLog = false;
    OutputFormat format = OutputFormat::Text;
    ConnectionOptions connection;
};

// The arguments of discover and info.
struct DiscoverOptions {
    QString host;
    QString community = defaults::Community();
    // Unset: the stored setting decides.
    std::optional<SnmpVersion> snmpVersion;
    ConnectionOptions connection;
};

// The arguments of check: two readings `interval` seconds apart.
struct CheckOptions {
    QString host;
    QString interface;
    QString community = defaults::Community();
    std::optional<QString> bandwidth;
    int interval = defaults::kPollInterval;
    // Utilization in percent; unset: 70 and 90, or the critical one alone.
    std::optional<double> warning;
    std::optional<double> critical;
    std::optional<SnmpVersion> snmpVersion;
    ConnectionOptions connection;
};

// The arguments of history: the readings of [from, to) at a step.
struct HistoryOptions {
    QString host;
    // An index as decimal text, or the interface's stored name.
    QString interface;
    // Milliseconds since 1970, UTC; unset: the last 24 hours up to now.
    std::optional<qint64> fromMs;
    std::optional<qint64> toMs;
    // "raw", "1m", "1h", "1d"; unset: chosen for the range.
    std::optional<QString> step;
    OutputFormat format = OutputFormat::Text;
};

// The arguments of report: one billing month.
struct ReportOptions {
    QString host;
    QString interface;
    // Unset: the billing month that holds today.
    std::optional<int> year;
    std::optional<int> month;
    int billingDay = 1;
};

// The arguments of top: every interface, swept at the interval.
struct TopOptions {
    enum class Sort { Utilization, In, Out, Errors, Name };

    QString host;
    QString community = defaults::Community();
    int interval = defaults::kPollInterval;
    Sort sort = Sort::Utilization;
    // Indexes ("1,3,10") or a glob on the name ("Gi1/0/*"); empty: all.
    QString interfaces;
    // Sweeps before top ends; unset: until stopped.
    std::optional<qint64> count;
    OutputFormat format = OutputFormat::Text;
    std::optional<SnmpVersion> snmpVersion;
    ConnectionOptions connection;
};

// The arguments after the command word. Options take their value as the next
// argument or after "="; anything unknown, missing or malformed is a UsageError.
PollOptions ParsePollArguments(const QStringList& arguments);
DiscoverOptions ParseDiscoverArguments(const QStringList& arguments);
CheckOptions ParseCheckArguments(const QStringList& arguments);
HistoryOptions ParseHistoryArguments(const QStringList& arguments);
ReportOptions ParseReportArguments(const QStringList& arguments);
TopOptions ParseTopArguments(const QStringList& arguments);

QString UsageText();
// What --version prints, in the form "NAME (PACKAGE) VERSION".
QString VersionText();

}  // namespace pulsewell::cli
