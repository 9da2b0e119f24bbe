#pragma once

#include <QStringList>

#include "MessageBoxes.h"

namespace pulsewell::test {

// Records the boxes a window would show, so that tests never block on one.
class RecordingMessageBoxes : public MessageBoxes {
public:
    void ShowError(QWidget*, const QString& message) override { errors.append(message); }
    void ShowMessage(QWidget*, const QString& text, const QString& caption) override {
        messages.append(caption + QStringLiteral(": ") + text);
    }

    QStringList errors;
    QStringList messages;
};

}  // namespace pulsewell::test
