#pragma once

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Finding the window's controls by what a user sees on them.
namespace pulsewell::test {

template <typename T>
T* FindByText(QWidget& root, const QString& text) {
    for (T* widget : root.findChildren<T*>()) {
        if (widget->text() == text) {
            return widget;
        }
    }
    return nullptr;
}

inline QPushButton* Button(QWidget& root, const QString& text) {
    return FindByText<QPushButton>(root, text);
}

inline QAction* FindAction(QWidget& root, const QString& text) {
    for (QAction* action : root.findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// The text of the label with this object name, "<missing>" without one.
inline QString LabelText(QWidget& root, const char* name) {
    auto* label = root.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

}  // namespace pulsewell::test
