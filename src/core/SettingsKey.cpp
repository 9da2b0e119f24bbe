#include "SettingsKey.h"

#include "OperationError.h"

namespace pulsewell {

SettingsKey::SettingsKey()
    // On Linux the native format is an INI file, ~/.config/Tarnwick/Pulsewell.conf.
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnwick"),
                QStringLiteral("Pulsewell")) {}

std::optional<QString> SettingsKey::Read(const QString& name) const {
    if (!settings_.contains(name)) {
        return std::nullopt;
    }
    const QVariant value = settings_.value(name);
    if (value.typeId() != QMetaType::QString) {
        throw OperationError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
    }
    return value.toString();
}

void SettingsKey::Write(const QString& name, const QString& text) {
    const QString failure = QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name);
    // A file Qt could not parse would be replaced by what it understood of it.
    if (settings_.status() == QSettings::FormatError) {
        throw OperationError(failure);
    }
    settings_.setValue(name, text);
    settings_.sync();
    if (settings_.status() != QSettings::NoError) {
        throw OperationError(failure);
    }
}

QString SettingsKey::ReadOrWrite(const QString& name, const QString& defaultText) {
    if (const std::optional<QString> stored = Read(name)) {
        return *stored;
    }
    Write(name, defaultText);
    return defaultText;
}

}  // namespace pulsewell
