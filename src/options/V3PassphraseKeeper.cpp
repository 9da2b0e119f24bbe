#include "options/V3PassphraseKeeper.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "options/OptionsPrompts.h"

namespace pulsewell {

V3PassphraseKeeper::V3PassphraseKeeper(PassphraseKeyring& keyring, OptionsPrompts& prompts)
    : keyring_(keyring), prompts_(prompts) {}

void V3PassphraseKeeper::Fetch(const QString& user, QWidget* parent, Found found) {
    if (const auto known = known_.constFind(user); known != known_.constEnd()) {
        found(*known);
        return;
    }
    QPointer<QWidget> window(parent);
    keyring_.Read(user, [this, user, window, found](PassphraseKeyring::Outcome outcome,
                                                    const V3Passphrases& passphrases) {
        switch (outcome) {
            case PassphraseKeyring::Outcome::Done:
                known_.insert(user, passphrases);
                found(passphrases);
                break;
            case PassphraseKeyring::Outcome::NotFound:
            case PassphraseKeyring::Outcome::Unreachable: {
                const bool inKeyring = outcome == PassphraseKeyring::Outcome::NotFound;
                reachable_ = reachable_ && inKeyring;
                // Not inside the keyring's callback: the question waits for an answer.
                QTimer::singleShot(0, [this, user, window, found, inKeyring] {
                    AskOnce(user, window, found, inKeyring);
                });
                break;
            }
        }
    });
}

void V3PassphraseKeeper::AskOnce(const QString& user, QWidget* parent, const Found& found,
                                 bool inKeyring) {
    if (const auto known = known_.constFind(user); known != known_.constEnd()) {
        found(*known);
        return;
    }
    if (asked_.contains(user)) {
        found({});
        return;
    }
    asked_.insert(user);
    const std::optional<V3Passphrases> answer = prompts_.AskV3Passphrases(parent, user, inKeyring);
    if (answer && inKeyring) {
        Keep(user, *answer);
    } else if (answer) {
        known_.insert(user, *answer);
    }
    found(answer.value_or(V3Passphrases{}));
}

void V3PassphraseKeeper::Keep(const QString& user, const V3Passphrases& passphrases,
                              std::function<void(bool)> inKeyring) {
    known_.insert(user, passphrases);
    keyring_.Write(user, passphrases, [this, inKeyring](PassphraseKeyring::Outcome outcome) {
        const bool kept = outcome == PassphraseKeyring::Outcome::Done;
        if (!kept) {
            reachable_ = false;
        }
        if (inKeyring) {
            inKeyring(kept);
        }
    });
}

void V3PassphraseKeeper::RecallCommunity(const QString& host,
                                         std::function<void(const QString&)> found) {
    keyring_.ReadCommunity(host, [found](PassphraseKeyring::Outcome outcome, const QString& text) {
        if (outcome == PassphraseKeyring::Outcome::Done) {
            found(text);
        }
    });
}

void V3PassphraseKeeper::KeepCommunity(const QString& host, const QString& community) {
    keyring_.WriteCommunity(host, community, [](PassphraseKeyring::Outcome) {});
}

}  // namespace pulsewell
