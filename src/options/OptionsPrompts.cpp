#include "options/OptionsPrompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "core/ApplicationTitle.h"
#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {

// What a stored value or a file said, as it stands: never markup.
void ShowPlainBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ApplicationTitle(), QString(), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // before the text: laying out markup is the harm
    box.setText(ShownText(text));
    box.exec();
}

}  // namespace

void QtOptionsPrompts::ShowError(QWidget* parent, const QString& message) {
    ShowPlainBox(parent, QMessageBox::Critical, message);
}

void QtOptionsPrompts::ShowInformation(const QString& text) {
    ShowPlainBox(nullptr, QMessageBox::Information, text);
}

QString QtOptionsPrompts::OpenWaveFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        QStringLiteral("Wave Files (*.wav)"));
}

std::optional<V3Passphrases> QtOptionsPrompts::AskV3Passphrases(QWidget* parent,
                                                                const QString& user,
                                                                bool inKeyring) {
    QDialog dialog(parent);
    dialog.setWindowTitle(ApplicationTitle());
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel;
    text->setTextFormat(Qt::PlainText);
    text->setText((inKeyring ? QStringLiteral("The keyring holds no SNMPv3 passphrases of user "
                                              "\"%1\". They are needed for this run; the "
                                              "keyring will keep them.")
                             : QStringLiteral("No keyring is reachable. The SNMPv3 passphrases of "
                                              "user \"%1\" are needed for this run; they will "
                                              "not be kept."))
                      .arg(ShownText(user)));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* form = new QFormLayout;
    auto* auth = new QLineEdit;
    auth->setObjectName(QStringLiteral("authPassphrasePrompt"));
    auth->setEchoMode(QLineEdit::Password);
    auto* priv = new QLineEdit;
    priv->setObjectName(QStringLiteral("privPassphrasePrompt"));
    priv->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Authentication passphrase:"), auth);
    form->addRow(QStringLiteral("Privacy passphrase:"), priv);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return V3Passphrases{auth->text(), priv->text()};
}

}  // namespace pulsewell
