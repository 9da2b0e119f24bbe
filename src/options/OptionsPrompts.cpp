#include "OptionsPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

#include "ApplicationTitle.h"

namespace pulsewell {

void QtOptionsPrompts::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, ApplicationTitle(), message);
}

void QtOptionsPrompts::ShowInformation(const QString& text) {
    QMessageBox::information(nullptr, ApplicationTitle(), text);
}

QString QtOptionsPrompts::OpenWaveFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        QStringLiteral("Wave Files (*.wav)"));
}

}  // namespace pulsewell
