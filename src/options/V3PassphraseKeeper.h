#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <functional>

#include "options/PassphraseKeyring.h"

class QWidget;

namespace pulsewell {

class OptionsPrompts;

// Finds and keeps the SNMPv3 passphrases for the window: in the desktop's
// keyring, and for the rest of the run in memory. Where the keyring has none
// for the user it asks, once per run and user, and keeps the answer there;
// where no keyring is reachable it asks likewise and says that they will
// not be kept. The communities of the hosts polled are kept there too.
class V3PassphraseKeeper {
  public:
    using Found = std::function<void(const V3Passphrases&)>;

    V3PassphraseKeeper(PassphraseKeyring& keyring, OptionsPrompts& prompts);

    // The passphrases of `user`: this run's at once, else the keyring's,
    // else (no keyring) the user's answer; empty when there are none.
    void Fetch(const QString& user, QWidget* parent, Found found);
    // Keeps them for this run, and in the keyring; `inKeyring` follows with
    // whether the keyring took them.
    void Keep(const QString& user, const V3Passphrases& passphrases,
              std::function<void(bool inKeyring)> inKeyring = {});
    // False since a keyring call found no keyring.
    bool KeyringReachable() const { return reachable_; }

    // The community the keyring keeps for `host`; `found` runs only when it has one.
    void RecallCommunity(const QString& host, std::function<void(const QString&)> found);
    // Kept in the keyring where there is one; never anywhere else.
    void KeepCommunity(const QString& host, const QString& community);

  private:
    // `inKeyring`: the keyring is there but had none, and takes the answer.
    void AskOnce(const QString& user, QWidget* parent, const Found& found, bool inKeyring);

    PassphraseKeyring& keyring_;
    OptionsPrompts& prompts_;
    QMap<QString, V3Passphrases> known_;
    QSet<QString> asked_;
    bool reachable_ = true;
};

}  // namespace pulsewell
