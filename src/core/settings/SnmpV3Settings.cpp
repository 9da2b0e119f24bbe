#include "SnmpV3Settings.h"

#include "SettingNames.h"
#include "SettingsKey.h"

namespace pulsewell {

namespace {

// Each field from its text where the text names one.
void ApplyTexts(const std::optional<QString>& user, const std::optional<QString>& level,
                const std::optional<QString>& auth, const std::optional<QString>& priv,
                const std::optional<QString>& context, SnmpV3Security& security) {
    if (user) {
        security.User = *user;
    }
    if (const auto parsed = ParseSecurityLevelText(level.value_or(QString()))) {
        security.Level = *parsed;
    }
    if (const auto parsed = ParseAuthProtocolText(auth.value_or(QString()))) {
        security.AuthProtocol = *parsed;
    }
    if (const auto parsed = ParsePrivProtocolText(priv.value_or(QString()))) {
        security.PrivProtocol = *parsed;
    }
    if (context) {
        security.Context = *context;
    }
}

std::optional<QString> Given(const QString& text) {
    return text.isEmpty() ? std::nullopt : std::optional(text);
}

}  // namespace

void ReadV3Settings(const SettingsKey& key, SnmpV3Security& security) {
    using namespace settings;
    ApplyTexts(key.Read(kSnmpV3User.name), key.Read(kSnmpV3Level.name),
               key.Read(kSnmpV3AuthProtocol.name), key.Read(kSnmpV3PrivProtocol.name),
               key.Read(kSnmpV3Context.name), security);
}

void WriteV3Settings(SettingsKey& key, const SnmpV3Security& security) {
    using namespace settings;
    key.Write(kSnmpV3User.name, security.User);
    key.Write(kSnmpV3Level.name, SecurityLevelText(security.Level));
    key.Write(kSnmpV3AuthProtocol.name, AuthProtocolText(security.AuthProtocol));
    key.Write(kSnmpV3PrivProtocol.name, PrivProtocolText(security.PrivProtocol));
    key.Write(kSnmpV3Context.name, security.Context);
}

void ApplyV3Profile(const THostEntry& entry, SnmpV3Security& security) {
    ApplyTexts(Given(entry.user), Given(entry.securitylevel), Given(entry.authprotocol),
               Given(entry.privprotocol), Given(entry.context), security);
}

}  // namespace pulsewell
