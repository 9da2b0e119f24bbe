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
    // "1", "2c" or "3"; empty when the profile does not say.
    QString version;
    // Who asks over SNMPv3: keys "user", "securitylevel", "authprotocol",
    // "privprotocol", "context"; each empty when the profile does not say.
    // The passphrases come from the keyring or the environment.
    QString user;
    QString securitylevel;
    QString authprotocol;
    QString privprotocol;
    QString context;
};

// Reads section "Details" of the INI file at path; section and key names
// match without regard to case, blanks around them and around values are
// dropped, lines starting with ";" or "#" are comments, and the first of
// repeated keys counts. Nothing when the file does not exist; a file that
// cannot be read throws FileError.
std::optional<THostEntry> ReadStartProfile(const QString& path);

}  // namespace pulsewell
