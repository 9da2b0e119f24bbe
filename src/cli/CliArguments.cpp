#include "CliArguments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "Monitor.h"
#include "NumberText.h"
#include "OperationError.h"

namespace pulsewell::cli {

namespace {

[[noreturn]] void Fail(const QString& problem) {
    throw UsageError(problem.toStdString());
}

// Walks "--name value", "--name=value" and "--switch" arguments.
class OptionReader {
  public:
    using ValueHandler = std::function<void(const QString& value)>;
    using SwitchHandler = std::function<void()>;

    void Value(const QString& name, ValueHandler handler) { values_[name] = std::move(handler); }
    void Switch(const QString& name, SwitchHandler handler) {
        switches_[name] = std::move(handler);
    }

    void Read(const QStringList& arguments) const {
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            QString name = arguments[i];
            std::optional<QString> value;
            if (const qsizetype equals = name.indexOf(u'='); name.startsWith(u"--") && equals > 0) {
                value = name.mid(equals + 1);
                name.truncate(equals);
            }
            if (const auto found = switches_.find(name); found != switches_.end() && !value) {
                found->second();
            } else if (const auto handler = values_.find(name); handler != values_.end()) {
                if (!value) {
                    if (++i == arguments.size()) {
                        Fail(QStringLiteral("%1 needs a value").arg(name));
                    }
                    value = arguments[i];
                }
                handler->second(*value);
            } else {
                Fail(QStringLiteral("unknown argument \"%1\"").arg(arguments[i]));
            }
        }
    }

  private:
    std::map<QString, ValueHandler> values_;
    std::map<QString, SwitchHandler> switches_;
};

qint64 PositiveNumber(const QString& name, const QString& text) {
    try {
        if (const qint64 number = ParseInt64(text); number > 0) {
            return number;
        }
    } catch (const ConversionError&) {
    }
    Fail(QStringLiteral("%1 must be a whole number above 0, not \"%2\"").arg(name, text));
}

int NumberFrom(const QString& name, const QString& text, int least, int most) {
    try {
        if (const qint64 number = ParseInt64(text); number >= least && number <= most) {
            return static_cast<int>(number);
        }
    } catch (const ConversionError&) {
    }
    Fail(QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"")
             .arg(name)
             .arg(least)
             .arg(most)
             .arg(text));
}

void Decide(std::optional<bool>& choice, bool value, const QString& conflict) {
    if (choice && *choice != value) {
        Fail(conflict);
    }
    choice = value;
}

void ReadHostAndCommunity(OptionReader& reader, QString& host, QString& community) {
    reader.Value(QStringLiteral("--host"), [&](const QString& v) { host = v; });
    reader.Value(QStringLiteral("--community"), [&](const QString& v) { community = v; });
}

void ReadSnmpVersion(OptionReader& reader, std::optional<SnmpVersion>& version) {
    reader.Value(QStringLiteral("--snmp-version"), [&](const QString& v) {
        version = ParseSnmpVersion(v);
        if (!version) {
            Fail(QStringLiteral("--snmp-version must be 1 or 2c, not \"%1\"").arg(v));
        }
    });
}

void ReadConnection(OptionReader& reader, ConnectionOptions& connection) {
    reader.Value(QStringLiteral("--timeout"), [&](const QString& v) {
        connection.timeoutSeconds = NumberFrom(QStringLiteral("--timeout"), v, 1, 600);
    });
    reader.Value(QStringLiteral("--retries"), [&](const QString& v) {
        connection.retries = NumberFrom(QStringLiteral("--retries"), v, 0, 10);
    });
}

void ReadInterface(OptionReader& reader, std::optional<QString>& interface) {
    reader.Value(QStringLiteral("--interface"), [&](const QString& v) {
        const qint64 number = PositiveNumber(QStringLiteral("--interface"), v);
        if (number > std::numeric_limits<std::int32_t>::max()) {
            Fail(QStringLiteral("--interface %1 is beyond any interface index").arg(v));
        }
        interface = QString::number(number);
    });
}

void ReadBandwidth(OptionReader& reader, std::optional<QString>& bandwidth) {
    reader.Value(QStringLiteral("--bandwidth"), [&](const QString& v) {
        // The window takes "100.000.000" too; the poll removes the separators.
        QString digits = v;
        digits.remove(u'.').remove(u',').remove(u' ');
        bool valid = true;
        try {
            valid = ParseInt64(digits) >= 0;
        } catch (const ConversionError&) {
            valid = false;
        }
        if (!valid) {
            Fail(QStringLiteral("--bandwidth must be bits per second, not \"%1\"").arg(v));
        }
        bandwidth = v;
    });
}

void ReadPercent(OptionReader& reader, const QString& name, std::optional<double>& percent) {
    reader.Value(name, [&, name](const QString& v) {
        bool ok = false;
        const double value = v.toDouble(&ok);  // C locale: "72.5" everywhere
        if (!ok || !std::isfinite(value) || value < 0) {
            Fail(QStringLiteral("%1 must be a utilization in percent, not \"%2\"").arg(name, v));
        }
        percent = value;
    });
}

void RequireHost(const QString& host) {
    if (host.isEmpty()) {
        Fail(QStringLiteral("--host is required"));
    }
}

// The arguments of a command that watches one interface: what all of them
// share, and what `own` adds.
template <typename Options>
Options ParseInterfaceCommand(const QStringList& arguments,
                              const std::function<void(OptionReader&, Options&)>& own) {
    Options options;
    std::optional<QString> interface;
    OptionReader reader;
    ReadHostAndCommunity(reader, options.host, options.community);
    ReadSnmpVersion(reader, options.snmpVersion);
    ReadConnection(reader, options.connection);
    ReadInterface(reader, interface);
    ReadBandwidth(reader, options.bandwidth);
    own(reader, options);
    reader.Read(arguments);

    RequireHost(options.host);
    if (!interface) {
        Fail(QStringLiteral("--interface is required"));
    }
    options.interface = *interface;
    return options;
}

}  // namespace

PollOptions ParsePollArguments(const QStringList& arguments) {
    return ParseInterfaceCommand<PollOptions>(arguments, [](OptionReader& reader,
                                                            PollOptions& options) {
        reader.Value(QStringLiteral("--format"), [&](const QString& v) {
            static const std::map<QString, OutputFormat> kFormats = {
                {QStringLiteral("text"), OutputFormat::Text},
                {QStringLiteral("csv"), OutputFormat::Csv},
                {QStringLiteral("json"), OutputFormat::Json},
            };
            const auto format = kFormats.find(v);
            if (format == kFormats.end()) {
                Fail(QStringLiteral("--format must be text, csv or json, not \"%1\"").arg(v));
            }
            options.format = format->second;
        });
        reader.Value(QStringLiteral("--interval"), [&](const QString& v) {
            bool ok = false;
            const int seconds = v.toInt(&ok);
            if (!ok ||
                std::ranges::find(Monitor::kIntervals, seconds) == std::end(Monitor::kIntervals)) {
                Fail(QStringLiteral(
                         "--interval must be one of 1, 3, 6, 15, 30, 60, 120, 300, not \"%1\"")
                         .arg(v));
            }
            options.interval = seconds;
        });
        reader.Value(QStringLiteral("--count"), [&](const QString& v) {
            options.count = PositiveNumber(QStringLiteral("--count"), v);
        });
        const QString unitConflict = QStringLiteral("--bytes and --bits exclude each other");
        const QString policyConflict =
            QStringLiteral("--stop-on-errors and --continue-on-errors exclude each other");
        reader.Switch(QStringLiteral("--bytes"),
                      [&options, unitConflict] { Decide(options.showBytes, true, unitConflict); });
        reader.Switch(QStringLiteral("--bits"),
                      [&options, unitConflict] { Decide(options.showBytes, false, unitConflict); });
        reader.Switch(QStringLiteral("--continue-on-errors"), [&options, policyConflict] {
            Decide(options.continueOnErrors, true, policyConflict);
        });
        reader.Switch(QStringLiteral("--stop-on-errors"), [&options, policyConflict] {
            Decide(options.continueOnErrors, false, policyConflict);
        });
        reader.Switch(QStringLiteral("--log"), [&] { options.log = true; });
        reader.Switch(QStringLiteral("--debug-log"), [&] { options.debugLog = true; });
    });
}

DiscoverOptions ParseDiscoverArguments(const QStringList& arguments) {
    DiscoverOptions options;
    OptionReader reader;
    ReadHostAndCommunity(reader, options.host, options.community);
    ReadSnmpVersion(reader, options.snmpVersion);
    ReadConnection(reader, options.connection);
    reader.Read(arguments);
    RequireHost(options.host);
    return options;
}

CheckOptions ParseCheckArguments(const QStringList& arguments) {
    return ParseInterfaceCommand<CheckOptions>(
        arguments, [](OptionReader& reader, CheckOptions& options) {
            reader.Value(QStringLiteral("--interval"), [&](const QString& v) {
                options.interval = NumberFrom(QStringLiteral("--interval"), v, 1, 300);
            });
            ReadPercent(reader, QStringLiteral("--warning"), options.warning);
            ReadPercent(reader, QStringLiteral("--critical"), options.critical);
        });
}

QString UsageText() {
    return QStringLiteral(
        "usage:\n"
        "  pulsewell-cli poll --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval 1|3|6|15|30|60|120|300] [--count N] [--bytes|--bits]\n"
        "                [--stop-on-errors|--continue-on-errors] [--log] [--debug-log]\n"
        "                [--format text|csv|json] [--snmp-version 1|2c] [CONNECTION]\n"
        "  pulsewell-cli check --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval SECONDS] [--warning PCT] [--critical PCT]\n"
        "                [--snmp-version 1|2c] [CONNECTION]\n"
        "  pulsewell-cli discover --host HOST [--community TEXT] [--snmp-version 1|2c]\n"
        "                [CONNECTION]\n"
        "  pulsewell-cli info --host HOST [--community TEXT] [--snmp-version 1|2c]\n"
        "                [CONNECTION]\n"
        "  pulsewell-cli --help | --version\n"
        "CONNECTION: [--timeout SECONDS] [--retries N]\n"
        "\n"
        "HOST is a name or address, optionally with \":PORT\" (\"[IPv6]:PORT\" for IPv6).\n"
        "The community defaults to \"cobalt\", the bandwidth to the interface's speed\n"
        "and the interval to 6 seconds; unit, error policy and SNMP version default to\n"
        "the stored settings. SNMP version 2c reads the 64-bit counters. Each request\n"
        "waits --timeout seconds (1-600, default 5) and is sent --retries more times\n"
        "(0-10, default 0) while unanswered; the table reads of discover and info wait\n"
        "2 seconds twice unless told otherwise.\n"
        "\n"
        "poll prints a line per poll to standard output, status and error texts to\n"
        "standard error. --format csv or json prints records instead (a header line,\n"
        "or one JSON object a line), in the C locale, both units, the totals last, and\n"
        "moves the lines to standard error. Exit code 0 when the device gave at least\n"
        "one reading, 1 when it gave none or polling stopped by an error; Ctrl-C and\n"
        "SIGTERM end polling normally, after the totals.\n"
        "check takes two readings --interval seconds apart (1-300, default 6) and\n"
        "prints one line as monitoring plugins do: exit code 0 OK, 1 WARNING (the\n"
        "utilization above --warning), 2 CRITICAL (above --critical), 3 UNKNOWN. The\n"
        "thresholds default to the stored low and high ones, else 70 and 90.\n"
        "discover and info exit with 0 when they found interfaces, else 1.\n"
        "Wrong arguments exit with 2 (check: 3).\n");
}

QString VersionText() {
    return QStringLiteral("pulsewell-cli (Pulsewell) " PULSEWELL_VERSION);
}

}  // namespace pulsewell::cli
