#pragma once

#include <QSettings>
#include <QString>
#include <optional>

namespace pulsewell {

// The options' store: string values under one key (an INI file in the user's
// configuration folder). Opened for one operation and closed at its end.
class SettingsKey {
  public:
    SettingsKey();

    // The stored text, or nothing when the value is missing. A value that is
    // not a single string (a list, a variant) fails the read with
    // "Ungültiger Datentyp für '<name>'".
    std::optional<QString> Read(const QString& name) const;
    // Stores the text at once; a store that cannot be written fails with
    // "Fehler beim Setzen der Daten für '<name>'" and keeps what it held.
    void Write(const QString& name, const QString& text);
    // Writes the default when the value is missing; returns the stored text.
    QString ReadOrWrite(const QString& name, const QString& defaultText);
    // False once a write has failed, or when the stored file could not be parsed.
    bool Writable() const { return settings_.status() == QSettings::NoError; }

  private:
    mutable QSettings settings_;
};

}  // namespace pulsewell
