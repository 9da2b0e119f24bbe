#include "core/text/VisibleText.h"

#include <QRegularExpression>
#include <algorithm>

namespace pulsewell {

namespace {

const QRegularExpression& LineBreak() {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return lineBreak;
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool HasControl(const QString& text) {
    return std::ranges::any_of(text, [](QChar c) { return IsControl(c.unicode()); });
}

}  // namespace

QString VisibleText(const QString& text) {
    if (!HasControl(text)) {
        return text;  // most device texts: nothing to escape, no copy
    }
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
    if (!HasControl(text)) {
        return text;  // no line break either
    }
    return VisibleText(QString(text).replace(LineBreak(), QStringLiteral(" ")));
}

}  // namespace pulsewell
