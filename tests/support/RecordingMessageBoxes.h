#pragma once

#include <QStringList>

#include "app/MessageBoxes.h"

namespace pulsewell::test {

// Records the boxes a window would show, so that tests never block on one.
class RecordingMessageBoxes : public MessageBoxes {
  public:
    void ShowError(QWidget*, const QString& message) override { errors.append(message); }
    void ShowMessage(QWidget*, const QString& text, const QString& caption) override {
        messages.append(caption + QStringLiteral(": ") + text);
    }
    // Answers with the next of `answers` (empty: cancelled) and remembers the suggestion.
    QString AskFileToSave(QWidget*, const QString&, const QString& suggested, const QString&,
                          const QString&) override {
        suggestions.append(suggested);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    QStringList errors;
    QStringList messages;
    QStringList answers;
    QStringList suggestions;
};

}  // namespace pulsewell::test
