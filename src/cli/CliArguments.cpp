#include "CliArguments.h"

#include <algorithm>
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

void RequireHost(const QString& host) {
    if (host.isEmpty()) {
        Fail(QStringLiteral("--host is required"));
    }
}

}  // namespace

PollOptions ParsePollArguments(const QStringList& arguments) {
    PollOptions options;
    std::optional<QString> interface;
    OptionReader reader;
    ReadHostAndCommunity(reader, options.host, options.community);
    ReadSnmpVersion(reader, options.snmpVersion);
    reader.Value(QStringLiteral("--interface"), [&](const QString& v) {
        const qint64 number = PositiveNumber(QStringLiteral("--interface"), v);
        if (number > std::numeric_limits<std::int32_t>::max()) {
            Fail(QStringLiteral("--interface %1 is beyond any interface index").arg(v));
        }
        interface = QString::number(number);
    });
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
        options.bandwidth = v;
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
                  [&] { Decide(options.showBytes, true, unitConflict); });
    reader.Switch(QStringLiteral("--bits"),
                  [&] { Decide(options.showBytes, false, unitConflict); });
    reader.Switch(QStringLiteral("--continue-on-errors"),
                  [&] { Decide(options.continueOnErrors, true, policyConflict); });
    reader.Switch(QStringLiteral("--stop-on-errors"),
                  [&] { Decide(options.continueOnErrors, false, policyConflict); });
    reader.Switch(QStringLiteral("--log"), [&] { options.log = true; });
    reader.Switch(QStringLiteral("--debug-log"), [&] { options.debugLog = true; });
    reader.Read(arguments);

    RequireHost(options.host);
    if (!interface) {
        Fail(QStringLiteral("--interface is required"));
    }
    options.interface = *interface;
    return options;
}

DiscoverOptions ParseDiscoverArguments(const QStringList& arguments) {
    DiscoverOptions options;
    OptionReader reader;
    ReadHostAndCommunity(reader, options.host, options.community);
    ReadSnmpVersion(reader, options.snmpVersion);
    reader.Read(arguments);
    RequireHost(options.host);
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "usage:\n"
        "  pulsewell-cli poll --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval 1|3|6|15|30|60|120|300] [--count N] [--bytes|--bits]\n"
        "                [--stop-on-errors|--continue-on-errors] [--log] [--debug-log]\n"
        "                [--snmp-version 1|2c]\n"
        "  pulsewell-cli discover --host HOST [--community TEXT] [--snmp-version 1|2c]\n"
        "  pulsewell-cli info --host HOST [--community TEXT] [--snmp-version 1|2c]\n"
        "  pulsewell-cli --help | --version\n"
        "\n"
        "HOST is a name or address, optionally with \":PORT\" (\"[IPv6]:PORT\" for IPv6).\n"
        "The community defaults to \"cobalt\", the bandwidth to 0 and the interval to 6\n"
        "seconds; unit, error policy and SNMP version default to the stored settings.\n"
        "SNMP version 2c reads the 64-bit counters. Traffic lines go to standard output,\n"
        "status and error texts to standard error.\n");
}

QString VersionText() {
    return QStringLiteral("pulsewell-cli (Pulsewell) " PULSEWELL_VERSION);
}

}  // namespace pulsewell::cli
