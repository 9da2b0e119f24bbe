#pragma once

#include <QStringList>

#include "options/OptionsPrompts.h"

namespace pulsewell::test {

// Records the options dialog's boxes and answers its file dialog with a
// path the test chooses (empty: the user cancels).
class RecordingOptionsPrompts : public OptionsPrompts {
  public:
    void ShowError(QWidget*, const QString& message) override { errors.append(message); }
    void ShowInformation(const QString& text) override { information.append(text); }
    QString OpenWaveFile(QWidget*, const QString& folder) override {
        fileDialogFolders.append(folder);
        return chosenFile;
    }

    // Recorded as the user, with " (keyring)" where the keyring takes the answer.
    std::optional<V3Passphrases> AskV3Passphrases(QWidget*, const QString& user,
                                                  bool inKeyring) override {
        passphraseQuestions.append(inKeyring ? user + QStringLiteral(" (keyring)") : user);
        return passphraseAnswer;
    }

    QStringList errors;
    QStringList information;
    QStringList fileDialogFolders;
    QString chosenFile;
    QStringList passphraseQuestions;
    std::optional<V3Passphrases> passphraseAnswer;
};

}  // namespace pulsewell::test
