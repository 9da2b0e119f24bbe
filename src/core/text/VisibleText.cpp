#include "VisibleText.h"

#include <QRegularExpression>

namespace pulsewell {

namespace {

const QRegularExpression& LineBreak() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return lineBreak;
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

QString VisibleText(const QString& text) {
    QString visible;
    visible.reserve(text.size());
    for (const QChar c : text) {
        if (IsControl(c.unicode())) {
            visible += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            visible += c;
        }
    }
    return visible;
}

QStringList VisibleLines(const QString& text) {
    QStringList lines = text.split(LineBreak());
    for (QString& line : lines) {
        line = VisibleText(line);
    }
    return lines;
}

QString ShownText(const QString& text) {
    if (text.size() <= kLongestShownText) {
        return text;
    }
    qsizetype end = kLongestShownText;
    if (text[end - 1].isHighSurrogate()) {
        --end;  // never half a character
    }
    return text.first(end) + QChar(0x2026);
}

QString VisibleCell(const QString& text) {
    return VisibleText(QString(text).replace(LineBreak(), QStringLiteral(" ")));
}

}  // namespace pulsewell
