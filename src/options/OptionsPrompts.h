#pragma once

#include <QString>
#include <optional>

#include "options/PassphraseKeyring.h"

class QWidget;

namespace pulsewell {

// The options dialog's modal boxes and its file dialog, behind an interface
// so that dialog tests can answer them instead of blocking on them.
class OptionsPrompts {
  public:
    virtual ~OptionsPrompts() = default;
    // The standard error box of an operation that stopped.
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    // An information box with an OK button, centred on the screen.
    virtual void ShowInformation(const QString& text) = 0;
    // The path of a wave file chosen in `folder`, or empty when cancelled.
    virtual QString OpenWaveFile(QWidget* parent, const QString& folder) = 0;
    // The SNMPv3 passphrases of `user` for this run, which the keyring then
    // keeps (`inKeyring`: it is there but has none) or which will not be kept
    // (no keyring is reachable); nothing when the user declines.
    virtual std::optional<V3Passphrases> AskV3Passphrases(QWidget* parent, const QString& user,
                                                          bool inKeyring) = 0;
};

class QtOptionsPrompts : public OptionsPrompts {
  public:
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowInformation(const QString& text) override;
    QString OpenWaveFile(QWidget* parent, const QString& folder) override;
    std::optional<V3Passphrases> AskV3Passphrases(QWidget* parent, const QString& user,
                                                  bool inKeyring) override;
};

}  // namespace pulsewell
