#pragma once

#include <QString>

class QWidget;

namespace pulsewell {

// The window's modal boxes, behind an interface so that window tests can
// record them instead of blocking on them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // The standard error box of an operation that stopped.
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    // A box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& caption) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowMessage(QWidget* parent, const QString& text, const QString& caption) override;
};

}  // namespace pulsewell
