#include "MessageBoxes.h"

#include <QMessageBox>

#include "ApplicationTitle.h"

namespace pulsewell {

void QtMessageBoxes::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, ApplicationTitle(), message);
}

void QtMessageBoxes::ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace pulsewell
