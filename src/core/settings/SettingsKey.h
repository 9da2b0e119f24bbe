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
    // Stores the text at once. The first write the store refuses fails with
    // "Fehler beim Setzen der Daten für '<name>': <file> (<reason>)" and keeps
    // what the store held; later writes to it are skipped without another report.
    void Write(const QString& name, const QString& text);
    // Writes the default when the value is missing; returns the stored text.
    QString ReadOrWrite(const QString& name, const QString& defaultText);
    // The store's file.
    QString Path() const { return settings_.fileName(); }

  private:
    mutable QSettings settings_;
    bool refused_ = false;
};

}  // namespace pulsewell
