#include "CliArguments.h"

#include <QFile>
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
void SettleV3(ConnectionOptions& options, const V3Arguments& v3) {
    if (!v3.Given()) {
        if (options.snmpVersion == SnmpVersion::V3) {
            options.authPassphrase = Passphrase({}, {}, kAuthPassphraseVariable);
            options.privPassphrase = Passphrase({}, {}, kPrivPassphraseVariable);
        }
        return;
    }
    if (options.snmpVersion && *options.snmpVersion != SnmpVersion::V3) {
        Fail(QStringLiteral("the SNMPv3 options go with --snmp-version 3, not %1")
                 .arg(SnmpVersionText(*options.snmpVersion)));
    }
    options.snmpVersion = SnmpVersion::V3;
    options.authPassphrase =
        Passphrase(QStringLiteral("--auth-passphrase-file"), v3.authFile, kAuthPassphraseVariable);
    options.privPassphrase =
        Passphrase(QStringLiteral("--priv-passphrase-file"), v3.privFile, kPrivPassphraseVariable);
    if (!v3.user) {
        if (v3.level || v3.auth || v3.priv || v3.context) {
            Fail(QStringLiteral(
                "--security-level, --auth-protocol, --priv-protocol and --context need --user"));
        }
        return;  // the stored user, with these passphrases
    }
    using snmp::TV3Flags;
    if (v3.user->isEmpty()) {
        Fail(QStringLiteral("--user needs a name"));
    }
    if (v3.priv && !v3.auth) {
        Fail(QStringLiteral("--priv-protocol needs --auth-protocol: SNMPv3 has no privacy "
                            "without authentication"));
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
            Fail(QStringLiteral("--security-level %1 needs %2")
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
        need(v3.auth.has_value(), "--auth-protocol", options.authPassphrase, "authentication",
             kAuthPassphraseVariable, "--auth-passphrase-file");
        security.AuthProtocol = *v3.auth;
    }
    if (security.Level == TV3Flags::AuthPriv) {
        need(v3.priv.has_value(), "--priv-protocol", options.privPassphrase, "privacy",
             kPrivPassphraseVariable, "--priv-passphrase-file");
        security.PrivProtocol = *v3.priv;
    }
    options.security = security;
}

// The options of ConnectionOptions, for every command: register them, read
// the arguments, then Settle() checks what was given together.
class ConnectionReader {
  public:
    ConnectionReader(OptionReader& reader, ConnectionOptions& options) : options_(options) {
        reader.Value(QStringLiteral("--host"), [this](const QString& v) { options_.host = v; });
        reader.Value(QStringLiteral("--community"),
                     [this](const QString& v) { options_.community = v; });
        reader.Value(QStringLiteral("--snmp-version"), [this](const QString& v) {
            options_.snmpVersion = ParseSnmpVersion(v);
            if (!options_.snmpVersion) {
                Fail(QStringLiteral("--snmp-version must be 1, 2c or 3, not \"%1\"").arg(v));
            }
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

    void Settle() {
        if (options_.host.isEmpty()) {
            Fail(QStringLiteral("--host is required"));
        }
        SettleV3(options_, v3_);
    }

  private:
    ConnectionOptions& options_;
    V3Arguments v3_;
};

}  // namespace

PollOptions ParsePollArguments(const QStringList& arguments) {
    PollOptions options;
    std::optional<QString> interface;
    OptionReader reader;
    ConnectionReader connection(reader, options);
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

    connection.Settle();
    if (!interface) {
        Fail(QStringLiteral("--interface is required"));
    }
    options.interface = *interface;
    return options;
}

DiscoverOptions ParseDiscoverArguments(const QStringList& arguments) {
    DiscoverOptions options;
    OptionReader reader;
    ConnectionReader connection(reader, options);
    reader.Read(arguments);
    connection.Settle();
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "usage:\n"
        "  pulsewell-cli poll --host HOST --interface N [--community TEXT] [--bandwidth BITS]\n"
        "                [--interval 1|3|6|15|30|60|120|300] [--count N] [--bytes|--bits]\n"
        "                [--stop-on-errors|--continue-on-errors] [--log] [--debug-log]\n"
        "                [--snmp-version 1|2c|3] [SNMPv3 options]\n"
        "  pulsewell-cli discover --host HOST [--community TEXT] [--snmp-version 1|2c|3]\n"
        "                [SNMPv3 options]\n"
        "  pulsewell-cli info --host HOST [--community TEXT] [--snmp-version 1|2c|3]\n"
        "                [SNMPv3 options]\n"
        "  pulsewell-cli --help | --version\n"
        "\n"
        "SNMPv3 options:\n"
        "  --user NAME  [--security-level noAuthNoPriv|authNoPriv|authPriv]\n"
        "  [--auth-protocol MD5|SHA|SHA-224|SHA-256|SHA-384|SHA-512]\n"
        "  [--priv-protocol DES|AES|AES-192|AES-256|AES-192-C|AES-256-C]\n"
        "  [--context NAME] [--auth-passphrase-file FILE] [--priv-passphrase-file FILE]\n"
        "\n"
        "HOST is a name or address, optionally with \":PORT\" (\"[IPv6]:PORT\" for IPv6).\n"
        "The community defaults to \"cobalt\", the bandwidth to 0 and the interval to 6\n"
        "seconds; unit, error policy and SNMP version default to the stored settings.\n"
        "SNMP versions 2c and 3 read the 64-bit counters. Traffic lines go to standard\n"
        "output, status and error texts to standard error.\n"
        "SNMPv3 options choose version 3. The level defaults to authPriv with a privacy\n"
        "protocol, to authNoPriv with only an authentication protocol, else noAuthNoPriv;\n"
        "without --user the stored SNMPv3 settings hold. Passphrases are never arguments:\n"
        "they are the first line of the files named, or else the environment's\n"
        "PULSEWELL_AUTH_PASSPHRASE and PULSEWELL_PRIV_PASSPHRASE.\n");
}

QString VersionText() {
    return QStringLiteral("pulsewell-cli (Pulsewell) " PULSEWELL_VERSION);
}

}  // namespace pulsewell::cli
