#include "core/SnmpV3Security.h"

#include <QList>

#include "core/text/OctetString.h"

namespace pulsewell {

namespace {
std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}
}  // namespace

snmp::TV3Security ToSnmpSecurity(const SnmpV3Security& security) {
    snmp::TV3Security s;
    s.UserName = Utf8(security.User);
    s.Level = security.Level;
    s.AuthProtocol = security.AuthProtocol;
    s.AuthPassphrase = Utf8(security.AuthPassphrase);
    s.PrivProtocol = security.PrivProtocol;
    s.PrivPassphrase = Utf8(security.PrivPassphrase);
    s.ContextName = Utf8(security.Context);
    return s;
}

QString SecurityLevelText(snmp::TV3Flags level) {
    return OctetText(snmp::SecurityLevelName(level));
}
QString AuthProtocolText(snmp::TV3Auth protocol) {
    return OctetText(snmp::AuthProtocolName(protocol));
}
QString PrivProtocolText(snmp::TV3Priv protocol) {
    return OctetText(snmp::PrivProtocolName(protocol));
}
std::optional<snmp::TV3Flags> ParseSecurityLevelText(const QString& text) {
    return snmp::ParseSecurityLevel(OctetBytes(text));
}
std::optional<snmp::TV3Auth> ParseAuthProtocolText(const QString& text) {
    return snmp::ParseAuthProtocol(OctetBytes(text));
}
std::optional<snmp::TV3Priv> ParsePrivProtocolText(const QString& text) {
    return snmp::ParsePrivProtocol(OctetBytes(text));
}

const QList<snmp::TV3Auth>& AuthProtocols() {
    using enum snmp::TV3Auth;
    static const QList<snmp::TV3Auth> protocols{AuthMD5,    AuthSHA1,   AuthSHA224,
                                                AuthSHA256, AuthSHA384, AuthSHA512};
    return protocols;
}

const QList<snmp::TV3Priv>& PrivProtocols() {
    using enum snmp::TV3Priv;
    static const QList<snmp::TV3Priv> protocols{PrivDES,    PrivAES,     PrivAES192,
                                                PrivAES256, PrivAES192C, PrivAES256C};
    return protocols;
}

bool TakePassphrasesFromEnvironment(SnmpV3Security& security) {
    const bool auth = qEnvironmentVariableIsSet(kAuthPassphraseVariable);
    const bool priv = qEnvironmentVariableIsSet(kPrivPassphraseVariable);
    if (auth) {
        security.AuthPassphrase = qEnvironmentVariable(kAuthPassphraseVariable);
    }
    if (priv) {
        security.PrivPassphrase = qEnvironmentVariable(kPrivPassphraseVariable);
    }
    return auth || priv;
}

std::optional<QString> V3FailureCause(snmp::TV3Problem problem) {
    using P = snmp::TV3Problem;
    const auto cause = [](const char* what) {
        return QStringLiteral("SNMPv3: ") + QString::fromLatin1(what);
    };
    switch (problem) {
        case P::None:
        case P::NoResponse:
            return std::nullopt;
        case P::MissingUser:
            return cause("no user name given");
        case P::ShortPassphrase:
            return cause("passphrase missing or too short (at least 8 characters)");
        case P::UnknownUser:
            return cause("unknown user (the device does not know this user name)");
        case P::AuthenticationFailed:
            return cause("authentication failed (wrong authentication passphrase or protocol)");
        case P::UnsupportedSecurityLevel:
            return cause("unsupported security level (not offered for this user)");
        case P::UnknownEngineID:
            return cause("unknown engine ID (the device refused its own engine ID)");
        case P::NotInTimeWindow:
            return cause("not in time window (the device's clock could not be followed)");
        case P::DecryptionError:
            return cause("decryption failed (wrong privacy passphrase or protocol)");
        case P::PrivacyProbablyWrong:
            return cause(
                "no answer to the encrypted request (wrong privacy passphrase or protocol)");
        case P::AccessDenied:
            return cause(
                "access denied (security level too low for this user, or the object "
                "is outside its view)");
        case P::OtherReport:
            return cause("refused with a report");
        case P::CryptoUnavailable:
            return cause("protocol not available from the system's OpenSSL");
        case P::RequestTooBig:
            return cause("the request could not be sent because it is too big");
    }
    return std::nullopt;
}

}  // namespace pulsewell
