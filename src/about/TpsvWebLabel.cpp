#include "about/TpsvWebLabel.h"

#include <QMouseEvent>

#include "about/WebHandCursor.h"

namespace pulsewell {

namespace {

const QString kDefaultLink = QStringLiteral("tarnwick.example");
const QString kDefaultHint = QStringLiteral("Tarnwick");
// What the desktop's refusal stands for: the shell's "no program registered".
constexpr int kOpenRefused = 31;

QString Prefix(TURLType type) {
    switch (type) {
        case TURLType::lnFile:
            return QStringLiteral("file://");
        case TURLType::lnFtp:
            return QStringLiteral("ftp://");
        case TURLType::lnGopher:
            return QStringLiteral("gopher://");
        case TURLType::lnHttp:
            return QStringLiteral("http://");
        case TURLType::lnHttps:
            return QStringLiteral("https://");
        case TURLType::lnMailto:
            return QStringLiteral("mailto:");
        case TURLType::lnNews:
            return QStringLiteral("news:");
        case TURLType::lnTelnet:
            return QStringLiteral("telnet:");
        case TURLType::lnWais:
            return QStringLiteral("wais:");
    }
    return QString();
}

}  // namespace

TpsvWebLabel::TpsvWebLabel(UrlOpener& opener, ErrorReporter& errors, QWidget* parent)
    : TpsvBasicLabel(parent), opener_(opener), errors_(errors), link_(kDefaultLink) {
    setText(link_);
    setToolTip(kDefaultHint);
    SetFontColor(QColor(0, 0, 128));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(HandPointCursor());
}

QString TpsvWebLabel::Target() const {
    return Prefix(linkType_) + link_;
}

void TpsvWebLabel::mouseReleaseEvent(QMouseEvent* event) {
    TpsvBasicLabel::mouseReleaseEvent(event);
    if (!rect().contains(event->position().toPoint())) {
        return;
    }
    RunGuarded(errors_, [this] {
        if (!opener_.Open(QUrl(Target()))) {
            throw OperationError(QStringLiteral("ShellExecute \"%1\" Failed with Error: %2")
                                     .arg(link_, QString::number(kOpenRefused)));
        }
    });
}

}  // namespace pulsewell
