#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace pulsewell {

// One host with its settings, as a start profile names it. Texts as read.
struct THostEntry {
    QString IP;
    QString community;
    // As the window's field has it when the profile does not say.
    QString bandwidth = QStringLiteral("0");
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
// dropped, lines starting with ";" or "#" are comments, the first of
// repeated keys counts, and an empty value counts as missing. Nothing when
// the file does not exist; a file that cannot be read throws FileError.
std::optional<THostEntry> ReadStartProfile(const QString& path);

// Throws an OperationError with one SettingValueError text a line for every
// value of the profile at `path` that names nothing the program knows: an
// interface, a bandwidth, one of `intervals`, a version, an SNMPv3 level or
// protocol. Nothing of such a profile may apply: a guess would poll with
// settings the user did not give.
void CheckStartProfile(const THostEntry& entry, const QString& path, const QList<int>& intervals);

}  // namespace pulsewell
