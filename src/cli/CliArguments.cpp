#include "cli/CliArguments.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "core/OperationError.h"
#include "core/ProgramDefaults.h"
#include "core/ProgramVersion.h"
#include "core/numbers/NumberText.h"

namespace pulsewell::cli {

namespace {

// An option's value that cannot be used.
[[noreturn]] void Fail(const QString& problem) {
    throw UsageError(problem.toStdString(), UsageError::Value);
}

// Options that do not make up a command line of the usage's form.
[[noreturn]] void Misshapen(const QString& problem) {
    throw UsageError(problem.toStdString(), UsageError::Shape);
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
                        Misshapen(QStringLiteral("%1 needs a value").arg(name));
                    }
                    value = arguments[i];
                }
                handler->second(*value);
            } else {
                Misshapen(QStringLiteral("unknown argument \"%1\"").arg(arguments[i]));
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
        Misshapen(conflict);
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
            Fail(QStringLiteral("--snmp-version must be 1, 2c or 3, not \"%1\"").arg(v));
        }
    });
}

// The SNMPv3 options as given, before they are checked together.
struct V3Arguments {
    std::optional<QString> user;
    std::optional<snmp::TV3Flags> level;
    std::optional<snmp::TV3Auth> auth;
    std::optional<snmp::TV3Priv> priv;
    std::optional<QString> context;
    std::optional<QString> authFile;
    std::optional<QString> privFile;

    bool Given() const { return user || level || auth || priv || context || authFile || privFile; }
};

template <typename T>
void ReadName(OptionReader& reader, const QString& name, std::optional<T>& field,
              std::optional<T> (*parse)(const QString&), const char* names) {
    reader.Value(name, [&field, name, parse, names](const QString& v) {
        field = parse(v);
        if (!field) {
            Fail(QStringLiteral("%1 must be one of %2, not \"%3\"")
                     .arg(name, QString::fromLatin1(names), v));
        }
    });
}

// The first line of a passphrase file; a file that cannot be read, or holds
// nothing there, is a usage error.
QString ReadPassphraseFile(const QString& option, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(QStringLiteral("%1: cannot read \"%2\": %3").arg(option, path, file.errorString()));
    }
    QByteArray line = file.readLine();
    if (line.endsWith('\n')) {
        line.chop(1);
    }
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    if (line.isEmpty()) {
        Fail(QStringLiteral("%1: \"%2\" holds no passphrase on its first line").arg(option, path));
    }
    return QString::fromUtf8(line);
}

// The passphrase from its file, else from the environment.
std::optional<QString> Passphrase(const QString& option, const std::optional<QString>& file,
                                  const char* variable) {
    if (file) {
        return ReadPassphraseFile(option, *file);
    }
    if (qEnvironmentVariableIsSet(variable)) {
        return qEnvironmentVariable(variable);
    }
    return std::nullopt;
}

// Checks the SNMPv3 options together and fills them in.
void SettleV3(std::optional<SnmpVersion>& version, ConnectionOptions& connection,
              const V3Arguments& v3) {
    if (!v3.Given()) {
        if (version == SnmpVersion::V3) {
            connection.authPassphrase = Passphrase({}, {}, kAuthPassphraseVariable);
            connection.privPassphrase = Passphrase({}, {}, kPrivPassphraseVariable);
        }
        return;
    }
    if (version && *version != SnmpVersion::V3) {
        Misshapen(QStringLiteral("the SNMPv3 options go with --snmp-version 3, not %1")
                      .arg(SnmpVersionText(*version)));
    }
    version = SnmpVersion::V3;
    connection.authPassphrase =
        Passphrase(QStringLiteral("--auth-passphrase-file"), v3.authFile, kAuthPassphraseVariable);
    connection.privPassphrase =
        Passphrase(QStringLiteral("--priv-passphrase-file"), v3.privFile, kPrivPassphraseVariable);
    if (!v3.user) {
        if (v3.level || v3.auth || v3.priv || v3.context) {
            Misshapen(QStringLiteral(
                "--security-level, --auth-protocol, --priv-protocol and --context need --user"));
        }
        return;  // the stored user, with these passphrases
    }
    using snmp::TV3Flags;
    if (v3.user->isEmpty()) {
        Fail(QStringLiteral("--user needs a name"));
    }
    if (v3.priv && !v3.auth) {
        Misshapen(
            QStringLiteral("--priv-protocol needs --auth-protocol: SNMPv3 has no "
                           "privacy without authentication"));
    }
    SnmpV3Security security;
    security.User = *v3.user;
    security.Level = v3.level.value_or(v3.priv   ? TV3Flags::AuthPriv
                                       : v3.auth ? TV3Flags::AuthNoPriv
                                                 : TV3Flags::NoAuthNoPriv);
    security.Context = v3.context.value_or(QString());
    // What the level needs of each side: its protocol, and its passphrase found.
    const QString level = SecurityLevelText(security.Level);
    const auto need = [&](bool protocolGiven, const char* protocolOption,
                          const std::optional<QString>& passphrase, const char* which,
                          const char* variable, const char* fileOption) {
        if (!protocolGiven) {
            Misshapen(QStringLiteral("--security-level %1 needs %2")
                          .arg(level, QLatin1String(protocolOption)));
        }
        if (!passphrase) {
            Fail(QStringLiteral("--security-level %1 needs the %2 passphrase: set %3 or give %4 "
                                "FILE")
                     .arg(level, QLatin1String(which), QLatin1String(variable),
                          QLatin1String(fileOption)));
        }
    };
    if (security.Level != TV3Flags::NoAuthNoPriv) {
        need(v3.auth.has_value(), "--auth-protocol", connection.authPassphrase, "authentication",
             kAuthPassphraseVariable, "--auth-passphrase-file");
        security.AuthProtocol = *v3.auth;
    }
    if (security.Level == TV3Flags::AuthPriv) {
        need(v3.priv.has_value(), "--priv-protocol", connection.privPassphrase, "privacy",
             kPrivPassphraseVariable, "--priv-passphrase-file");
        security.PrivProtocol = *v3.priv;
    }
    connection.security = security;
}

// The connection options of every command: registered with the reader, then,
// once the arguments are read, Settle() checks the SNMPv3 ones together.
class ConnectionReader {
  public:
    ConnectionReader(OptionReader& reader, std::optional<SnmpVersion>& version,
                     ConnectionOptions& connection)
        : version_(version), connection_(connection) {
        reader.Value(QStringLiteral("--timeout"), [this](const QString& v) {
            connection_.timeoutSeconds = NumberFrom(QStringLiteral("--timeout"), v, 1, 600);
        });
        reader.Value(QStringLiteral("--retries"), [this](const QString& v) {
            connection_.retries = NumberFrom(QStringLiteral("--retries"), v, 0, 10);
        });
        reader.Value(QStringLiteral("--user"), [this](const QString& v) { v3_.user = v; });
        reader.Value(QStringLiteral("--context"), [this](const QString& v) { v3_.context = v; });
        ReadName(reader, QStringLiteral("--security-level"), v3_.level, ParseSecurityLevelText,
                 "noAuthNoPriv, authNoPriv, authPriv");
        ReadName(reader, QStringLiteral("--auth-protocol"), v3_.auth, ParseAuthProtocolText,
                 "MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512");
        ReadName(reader, QStringLiteral("--priv-protocol"), v3_.priv, ParsePrivProtocolText,
                 "DES, AES, AES-192, AES-256, AES-192-C, AES-256-C");
        reader.Value(QStringLiteral("--auth-passphrase-file"),
                     [this](const QString& v) { v3_.authFile = v; });
        reader.Value(QStringLiteral("--priv-passphrase-file"),
                     [this](const QString& v) { v3_.privFile = v; });
    }

    void Settle() { SettleV3(version_, connection_, v3_); }

  private:
    std::optional<SnmpVersion>& version_;
    ConnectionOptions& connection_;
    V3Arguments v3_;
};

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

void ReadFormat(OptionReader& reader, OutputFormat& format) {
    reader.Value(QStringLiteral("--format"), [&](const QString& v) {
        static const std::map<QString, OutputFormat> kFormats = {
            {QStringLiteral("text"), OutputFormat::Text},
            {QStringLiteral("csv"), OutputFormat::Csv},
            {QStringLiteral("json"), OutputFormat::Json},
        };
        const auto found = kFormats.find(v);
        if (found == kFormats.end()) {
            Fail(QStringLiteral("--format must be text, csv or json, not \"%1\"").arg(v));
        }
        format = found->second;
    });
}

// ISO 8601, as "2026-12-08", "2026-12-08T10:00" (local time) or with "Z" or an offset.
void ReadTime(OptionReader& reader, const QString& name, std::optional<qint64>& ms) {
    reader.Value(name, [&, name](const QString& v) {
        QDateTime time = QDateTime::fromString(v, Qt::ISODateWithMs);
        if (!time.isValid()) {
            time = QDateTime(QDate::fromString(v, Qt::ISODate), QTime(0, 0));
        }
        if (!time.isValid()) {
            Fail(QStringLiteral("%1 must be a time in ISO 8601 (2026-12-08T10:00:00Z), not \"%2\"")
                     .arg(name, v));
        }
        ms = time.toMSecsSinceEpoch();
    });
}

// The host and the interface of the stored history, by index or name.
void ReadStoredInterface(OptionReader& reader, QString& host, QString& interface) {
    reader.Value(QStringLiteral("--host"), [&](const QString& v) { host = v; });
    reader.Value(QStringLiteral("--interface"), [&](const QString& v) { interface = v; });
}

void RequireStoredInterface(const QString& host, const QString& interface) {
    if (host.isEmpty()) {
        Misshapen(QStringLiteral("--host is required"));
    }
    if (interface.isEmpty()) {
        Misshapen(QStringLiteral("--interface is required"));
    }
}

void RequireHost(const QString& host) {
    if (host.isEmpty()) {
        Misshapen(QStringLiteral("--host is required"));
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
    ConnectionReader connection(reader, options.snmpVersion, options.connection);
    ReadInterface(reader, interface);
    ReadBandwidth(reader, options.bandwidth);
    own(reader, options);
    reader.Read(arguments);

    RequireHost(options.host);
    connection.Settle();
    if (!interface) {
        Misshapen(QStringLiteral("--interface is required"));
    }
    options.interface = *interface;
    return options;
}

}  // namespace

PollOptions ParsePollArguments(const QStringList& arguments) {
    return ParseInterfaceCommand<PollOptions>(arguments, [](OptionReader& reader,
                                                            PollOptions& options) {
        ReadFormat(reader, options.format);
        reader.Value(QStringLiteral("--interval"), [&](const QString& v) {
            bool ok = false;
            const int seconds = v.toInt(&ok);
            if (!ok || std::ranges::find(defaults::kPollIntervals, seconds) ==
                           std::end(defaults::kPollIntervals)) {
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
    ConnectionReader connection(reader, options.snmpVersion, options.connection);
    reader.Read(arguments);
    RequireHost(options.host);
    connection.Settle();
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

HistoryOptions ParseHistoryArguments(const QStringList& arguments) {
    HistoryOptions options;
    OptionReader reader;
    ReadStoredInterface(reader, options.host, options.interface);
    ReadTime(reader, QStringLiteral("--from"), options.fromMs);
    ReadTime(reader, QStringLiteral("--to"), options.toMs);
    reader.Value(QStringLiteral("--step"), [&](const QString& v) {
        if (v != QStringLiteral("raw") && v != QStringLiteral("1m") && v != QStringLiteral("1h") &&
            v != QStringLiteral("1d")) {
            Fail(QStringLiteral("--step must be raw, 1m, 1h or 1d, not \"%1\"").arg(v));
        }
        options.step = v;
    });
    ReadFormat(reader, options.format);
    reader.Read(arguments);
    RequireStoredInterface(options.host, options.interface);
    if (options.fromMs && options.toMs && *options.fromMs >= *options.toMs) {
        Fail(QStringLiteral("--from must lie before --to"));
    }
    return options;
}

ReportOptions ParseReportArguments(const QStringList& arguments) {
    ReportOptions options;
    OptionReader reader;
    ReadStoredInterface(reader, options.host, options.interface);
    reader.Value(QStringLiteral("--month"), [&](const QString& v) {
        const QDate first = QDate::fromString(v + QStringLiteral("-01"), Qt::ISODate);
        if (v.size() != 7 || !first.isValid()) {
            Fail(QStringLiteral("--month must be YYYY-MM, not \"%1\"").arg(v));
        }
        options.year = first.year();
        options.month = first.month();
    });
    reader.Value(QStringLiteral("--billing-day"), [&](const QString& v) {
        options.billingDay = NumberFrom(QStringLiteral("--billing-day"), v, 1, 28);
    });
    reader.Read(arguments);
    RequireStoredInterface(options.host, options.interface);
    return options;
}

TopOptions ParseTopArguments(const QStringList& arguments) {
    TopOptions options;
    OptionReader reader;
    ReadHostAndCommunity(reader, options.host, options.community);
    ReadSnmpVersion(reader, options.snmpVersion);
    ConnectionReader connection(reader, options.snmpVersion, options.connection);
    ReadFormat(reader, options.format);
    reader.Value(QStringLiteral("--interval"), [&](const QString& v) {
        options.interval = NumberFrom(QStringLiteral("--interval"), v, 1, 3600);
    });
    reader.Value(QStringLiteral("--count"), [&](const QString& v) {
        options.count = PositiveNumber(QStringLiteral("--count"), v);
    });
    reader.Value(QStringLiteral("--interfaces"), [&](const QString& v) {
        if (v.isEmpty()) {
            Fail(QStringLiteral("--interfaces needs indexes or a name pattern"));
        }
        options.interfaces = v;
    });
    reader.Value(QStringLiteral("--sort"), [&](const QString& v) {
        using Sort = TopOptions::Sort;
        static const std::map<QString, Sort> kSorts = {
            {QStringLiteral("util"), Sort::Utilization}, {QStringLiteral("in"), Sort::In},
            {QStringLiteral("out"), Sort::Out},          {QStringLiteral("errors"), Sort::Errors},
            {QStringLiteral("name"), Sort::Name},
        };
        const auto found = kSorts.find(v);
        if (found == kSorts.end()) {
            Fail(QStringLiteral("--sort must be util, in, out, errors or name, not \"%1\"").arg(v));
        }
        options.sort = found->second;
    });
    reader.Read(arguments);
    RequireHost(options.host);
    connection.Settle();
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "usage:\n"
        "  pulsewell-cli poll --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval 1|3|6|15|30|60|120|300] [--count N] [--bytes|--bits]\n"
        "                [--stop-on-errors|--continue-on-errors] [--log] [--debug-log]\n"
        "                [--format text|csv|json] [--snmp-version 1|2c|3] [CONNECTION]\n"
        "  pulsewell-cli check --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval SECONDS] [--warning PCT] [--critical PCT]\n"
        "                [--snmp-version 1|2c|3] [CONNECTION]\n"
        "  pulsewell-cli discover --host HOST [--community TEXT] [--snmp-version 1|2c|3]\n"
        "                [CONNECTION]\n"
        "  pulsewell-cli info --host HOST [--community TEXT] [--snmp-version 1|2c|3]\n"
        "                [CONNECTION]\n"
        "  pulsewell-cli history --host HOST --interface N|NAME [--from TIME] [--to TIME]\n"
        "                [--step raw|1m|1h|1d] [--format text|csv|json]\n"
        "  pulsewell-cli report --host HOST --interface N|NAME [--month YYYY-MM]\n"
        "                [--billing-day 1-28]\n"
        "  pulsewell-cli top --host HOST [--community TEXT] [--interval SECONDS]\n"
        "                [--sort util|in|out|errors|name] [--interfaces PATTERN]\n"
        "                [--count N] [--format text|csv|json] [--snmp-version 1|2c|3]\n"
        "                [CONNECTION]\n"
        "  pulsewell-cli --help | --version\n"
        "CONNECTION: [--timeout SECONDS] [--retries N] [SNMPv3]\n"
        "SNMPv3: --user NAME [--security-level noAuthNoPriv|authNoPriv|authPriv]\n"
        "        [--auth-protocol MD5|SHA|SHA-224|SHA-256|SHA-384|SHA-512]\n"
        "        [--priv-protocol DES|AES|AES-192|AES-256|AES-192-C|AES-256-C]\n"
        "        [--context NAME] [--auth-passphrase-file FILE] [--priv-passphrase-file FILE]\n"
        "\n"
        "HOST is a name or address, optionally with \":PORT\" (\"[IPv6]:PORT\" for IPv6).\n"
        "The community defaults to \"cobalt\", the bandwidth to the interface's speed\n"
        "and the interval to 6 seconds; unit, error policy and SNMP version default to\n"
        "the stored settings. SNMP versions 2c and 3 read the 64-bit counters. Each request\n"
        "waits --timeout seconds (1-600, default 5) and is sent --retries more times\n"
        "(0-10, default 0) while unanswered; the table reads of discover and info wait\n"
        "2 seconds twice unless told otherwise.\n"
        "The SNMPv3 options choose version 3. The level defaults to authPriv with a\n"
        "privacy protocol, to authNoPriv with only an authentication protocol, else\n"
        "noAuthNoPriv; without --user the stored SNMPv3 settings hold. Passphrases are\n"
        "never arguments: the first line of the files named, or else the environment's\n"
        "PULSEWELL_AUTH_PASSPHRASE and PULSEWELL_PRIV_PASSPHRASE.\n"
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
        "thresholds default to 70 and 90; a critical one alone below 70 is the\n"
        "warning one too.\n"
        "discover and info exit with 0 when they found interfaces, else 1.\n"
        "history prints the stored readings of HOST's interface from --from to --to\n"
        "(ISO 8601 times; the last 24 hours by default) at --step, by default the finest\n"
        "that gives at most 2000 points; a gap says no value was read. report prints a\n"
        "billing month's volume, average, maximum and 95th percentile per direction and\n"
        "its busiest hour (times in UTC). Both read history.sqlite in the program's\n"
        "folder and exit with 0, or 1 when it holds nothing for the interface.\n"
        "top reads every interface each --interval seconds (1-3600, default 6): traffic,\n"
        "utilization each way, errors and discards per second, status. On a terminal it\n"
        "redraws a table in place, else it prints the table each sweep; --format csv or\n"
        "json prints a record per interface per sweep and the events (link down and up,\n"
        "utilization at the stored high threshold) on standard error. PATTERN is a list\n"
        "of indexes (\"1,3,10\") or a glob on the name ('Gi1/0/*'). Exit code 0 when\n"
        "the device answered a sweep, else 1; Ctrl-C and SIGTERM end it at once.\n"
        "Wrong arguments exit with 2 (check: 3); the usage follows only where the\n"
        "command line's form is wrong.\n");
}

QString VersionText() {
    return QStringLiteral("pulsewell-cli (Pulsewell) " PULSEWELL_VERSION);
}

}  // namespace pulsewell::cli
