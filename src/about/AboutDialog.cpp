#include "about/AboutDialog.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>

#include "about/JpegImage.h"
#include "about/TpsvWebLabel.h"

namespace pulsewell {

namespace {

const QString kMailAddress = QStringLiteral("pulsewell@tarnwick.example");
const QString kWebPage = QStringLiteral("tarnwick.example/pulsewell");
const QString kAppreciationPage = QStringLiteral("tarnwick.example/thanks");

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

QLabel* AddCaption(QWidget* panel, const QString& text, int x, int y) {
    auto* label = new QLabel(text, panel);
    label->setFont(Bold(label->font()));
    label->move(x, y);
    label->adjustSize();
    return label;
}

}  // namespace

TForm2::TForm2(UrlOpener& opener, ErrorReporter& errors, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    BuildPicture();
    BuildPanel(opener, errors);
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    closeButton_->setGeometry(132, 437, 75, 25);
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm2::BuildPicture() {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setGeometry(0, 0, kClientWidth, kPictureHeight);
    picture->setAlignment(Qt::AlignCenter);
    QFile file(QStringLiteral(":/about/about-picture.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QImage image = DecodeJpeg(file.readAll());
    if (!image.isNull()) {
        picture->setPixmap(QPixmap::fromImage(
            image.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void TForm2::BuildPanel(UrlOpener& opener, ErrorReporter& errors) {
    auto* panel = new QWidget(this);
    panel->setGeometry(0, kPictureHeight, kClientWidth, kClientHeight - kPictureHeight);

    auto* text = new QTextEdit(panel);
    text->setGeometry(40, 8, 257, 89);
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::NoFocus);
    text->setFrameShape(QFrame::NoFrame);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->viewport()->setAutoFillBackground(false);
    text->setFont(Bold(text->font()));
    text->setPlainText(
        QStringLiteral("Pulsewell, Pulsewell.exe\n"
                       "Version 1.5.0.2; September 2007\n"
                       "\n"
                       "Network monitoring software \n"
                       "Written by Tarnwick"));
    QTextCursor all = text->textCursor();
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);

    const auto addLink = [&](TURLType type, const QString& link, const QString& caption,
                             const QString& hint, int x, int y) {
        auto* label = new TpsvWebLabel(opener, errors, panel);
        label->SetLinkType(type);
        label->SetLink(link);
        label->setText(caption);
        label->setToolTip(hint);
        label->setFont(Bold(label->font()));
        label->SetFontColor(QColor(255, 0, 0));
        label->move(x, y);
        label->adjustSize();
        return label;
    };
    AddCaption(panel, QStringLiteral("Please report bugs to:"), 109, 112);
    TpsvWebLabel* mail = addLink(TURLType::lnMailto, kMailAddress, kMailAddress,
                                 QStringLiteral("Mail to ") + kMailAddress, 104, 128);
    // Centred in its 135 pixels; an address too long for them widens the
    // label about the same centre rather than losing characters.
    constexpr int kMailCentre = 104 + 135 / 2;
    const int mailWidth = std::max(135, mail->width());
    mail->setAlignment(Qt::AlignHCenter);
    mail->setGeometry(kMailCentre - mailWidth / 2, mail->y(), mailWidth, mail->height());
    AddCaption(panel, QStringLiteral("Visit the webpage to find out about new releases:"), 24, 160);
    const QString web = QStringLiteral("http://") + kWebPage;
    addLink(TURLType::lnHttp, kWebPage, web, web, 90, 176);
    AddCaption(panel, QStringLiteral("To show your appreciation or donate:"), 64, 208);
    const QString appreciation = QStringLiteral("http://") + kAppreciationPage;
    addLink(TURLType::lnHttp, kAppreciationPage, appreciation, appreciation, 34, 224);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    closeButton_->setFocus();
}

}  // namespace pulsewell
