#pragma once

#include <QString>
#include <functional>

namespace pulsewell {

// The SNMPv3 passphrases of one user.
struct V3Passphrases {
    QString Auth;
    QString Priv;

    bool operator==(const V3Passphrases&) const = default;
};

// The desktop's keyring, where the window keeps the SNMPv3 passphrases (never
// in the settings file). Both calls answer later, on the caller's thread.
class PassphraseKeyring {
  public:
    enum class Outcome {
        Done,
        // The keyring holds nothing for this user.
        NotFound,
        // No keyring answered (no session bus, no Secret Service, locked and
        // not opened): nothing was read or kept.
        Unreachable,
    };
    using ReadDone = std::function<void(Outcome, const V3Passphrases&)>;
    using WriteDone = std::function<void(Outcome)>;
    using TextDone = std::function<void(Outcome, const QString&)>;

    virtual ~PassphraseKeyring() = default;
    virtual void Read(const QString& user, ReadDone done) = 0;
    virtual void Write(const QString& user, const V3Passphrases& passphrases, WriteDone done) = 0;
    // The SNMP read community of a host, kept beside the passphrases.
    virtual void ReadCommunity(const QString& host, TextDone done) = 0;
    virtual void WriteCommunity(const QString& host, const QString& community, WriteDone done) = 0;
};

// The Secret Service of the desktop (GNOME Keyring, KWallet) through
// QtKeychain: two entries per user, "snmpv3/USER/auth" and "snmpv3/USER/priv",
// and one per host, "community/HOST" (the host in lower case), of the
// service "Pulsewell". Never falls back to a file.
class SecretServiceKeyring : public PassphraseKeyring {
  public:
    explicit SecretServiceKeyring(const QString& service = QStringLiteral("Pulsewell"));
    void Read(const QString& user, ReadDone done) override;
    void Write(const QString& user, const V3Passphrases& passphrases, WriteDone done) override;
    void ReadCommunity(const QString& host, TextDone done) override;
    void WriteCommunity(const QString& host, const QString& community, WriteDone done) override;

  private:
    QString service_;
};

}  // namespace pulsewell
