#include "core/settings/SnmpV3Settings.h"

#include "core/settings/SettingNames.h"
#include "core/settings/SettingValueError.h"
#include "core/settings/SettingsKey.h"

namespace pulsewell {

namespace {

// The SNMPv3 values as a store or a profile gives them: name and text of
// each, nothing where it says nothing.
struct V3Value {
    QString name;
    std::optional<QString> text;
};
struct V3Texts {
    V3Value user, level, auth, priv, context;
};

template <typename Item, typename Parse>
void ApplyChoice(const V3Value& value, Parse parse, const QList<Item>& items,
                 QString (*itemText)(Item), const QString& file, Item& field,
                 QStringList& problems) {
    if (!value.text) {
        return;
    }
    if (const auto parsed = parse(*value.text)) {
        field = *parsed;
        return;
    }
    QStringList names;
    for (const Item item : items) {
        names.append(itemText(item));
    }
    problems.append(
        SettingValueError(value.name, *value.text, file, ListOfChoices(names)).Message());
}

QStringList ApplyTexts(const V3Texts& texts, const QString& file, SnmpV3Security& security) {
    using enum snmp::TV3Flags;
    QStringList problems;
    if (texts.user.text) {
        security.User = *texts.user.text;
    }
    ApplyChoice(texts.level, ParseSecurityLevelText, {NoAuthNoPriv, AuthNoPriv, AuthPriv},
                SecurityLevelText, file, security.Level, problems);
    ApplyChoice(texts.auth, ParseAuthProtocolText, AuthProtocols(), AuthProtocolText, file,
                security.AuthProtocol, problems);
    ApplyChoice(texts.priv, ParsePrivProtocolText, PrivProtocols(), PrivProtocolText, file,
                security.PrivProtocol, problems);
    if (texts.context.text) {
        security.Context = *texts.context.text;
    }
    return problems;
}

V3Value Stored(const SettingsKey& key, const settings::Setting& setting) {
    return {setting.name, key.Read(setting.name)};
}

V3Value Given(const char* name, const QString& text) {
    return {QLatin1String(name), text.isEmpty() ? std::nullopt : std::optional(text)};
}

}  // namespace

QStringList ReadV3Settings(const SettingsKey& key, SnmpV3Security& security) {
    using namespace settings;
    return ApplyTexts(
        {Stored(key, kSnmpV3User), Stored(key, kSnmpV3Level), Stored(key, kSnmpV3AuthProtocol),
         Stored(key, kSnmpV3PrivProtocol), Stored(key, kSnmpV3Context)},
        key.Path(), security);
}

void WriteV3Settings(SettingsKey& key, const SnmpV3Security& security) {
    using namespace settings;
    key.Write(kSnmpV3User.name, security.User);
    key.Write(kSnmpV3Level.name, SecurityLevelText(security.Level));
    key.Write(kSnmpV3AuthProtocol.name, AuthProtocolText(security.AuthProtocol));
    key.Write(kSnmpV3PrivProtocol.name, PrivProtocolText(security.PrivProtocol));
    key.Write(kSnmpV3Context.name, security.Context);
}

QStringList ApplyV3Profile(const THostEntry& entry, const QString& file, SnmpV3Security& security) {
    return ApplyTexts({Given("user", entry.user), Given("securitylevel", entry.securitylevel),
                       Given("authprotocol", entry.authprotocol),
                       Given("privprotocol", entry.privprotocol), Given("context", entry.context)},
                      file, security);
}

}  // namespace pulsewell
