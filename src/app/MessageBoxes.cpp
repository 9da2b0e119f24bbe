#include "app/MessageBoxes.h"

#include <QFileDialog>

#include "core/ApplicationTitle.h"
#include "core/text/VisibleText.h"

namespace pulsewell {

void QtMessageBoxes::ShowError(QWidget* parent, const QString& message) {
    Show(parent, QMessageBox::Critical, ApplicationTitle(), message);
}

void QtMessageBoxes::ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
    Show(parent, QMessageBox::NoIcon, caption, text);
}

QString QtMessageBoxes::AskFileToSave(QWidget* parent, const QString& caption,
                                      const QString& suggested, const QString& filter,
                                      const QString& suffix) {
    QFileDialog dialog(parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

void QtMessageBoxes::Show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                          const QString& message) {
    // Messages carry what devices and files said: never markup to lay out.
    const QString text = ShownText(message);
    open_.removeAll(nullptr);  // closed boxes delete themselves
    for (QMessageBox* box : std::as_const(open_)) {
        if (box->windowTitle() == caption && box->text() == text) {
            box->raise();
            return;
        }
    }
    auto* box = new QMessageBox(icon, caption, QString(), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);  // before the text: laying out markup is the harm
    box->setText(text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    open_.append(box);
}

}  // namespace pulsewell
