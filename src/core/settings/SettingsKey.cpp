#include "core/settings/SettingsKey.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "core/OperationError.h"

namespace pulsewell {

namespace {

// Why a store Qt could not write refuses it, as the system says it.
QString WriteProblem(const QSettings& settings) {
    if (settings.status() == QSettings::FormatError) {
        return QStringLiteral("not a valid INI file, left as it is");
    }
    const QString path = settings.fileName();
    for (const QString& target : {path, QFileInfo(path).absolutePath()}) {
        if (::access(QFile::encodeName(target).constData(), W_OK) != 0 && errno != ENOENT) {
            return QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    return QStringLiteral("cannot be written");
}

}  // namespace

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
    if (refused_) {
        return;
    }
    // A file Qt could not parse in full would be replaced by what it understood of it.
    if (settings_.status() == QSettings::NoError) {
        settings_.setValue(name, text);
        settings_.sync();
    }
    if (settings_.status() != QSettings::NoError) {
        refused_ = true;
        throw OperationError(QStringLiteral("Fehler beim Setzen der Daten für '%1': %2 (%3)")
                                 .arg(name, settings_.fileName(), WriteProblem(settings_)));
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
