#pragma once

#include <QString>
#include <optional>

namespace pulsewell {

// One host with its settings, as a start profile names it. Texts as read.
struct THostEntry {
    QString IP;
    QString community;
    QString bandwidth;
    QString Interface = QStringLiteral("1");
    QString interval = QStringLiteral("6");
    // "1" or "2c"; empty when the profile does not say.
    QString version;
};

// Reads section "Details" of the INI file at path; section and key names
// match without regard to case, blanks around them and around values are
// dropped, lines starting with ";" or "#" are comments, and the first of
// repeated keys counts. Nothing when the file does not exist; a file that
// cannot be read throws FileError.
std::optional<THostEntry> ReadStartProfile(const QString& path);

}  // namespace pulsewell
