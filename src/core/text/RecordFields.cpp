#include "core/text/RecordFields.h"

#include <algorithm>

namespace pulsewell {

QString IsoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString PercentField(double percent) {
    return QString::number(percent, 'f', 2);
}

QString CsvTextField(const QString& text) {
    const bool plain = (text.isEmpty() || !QStringView(u"=+-@").contains(text.front())) &&
                       std::ranges::none_of(text, [](QChar c) {
                           return c == u',' || c == u'"' || c == u'\n' || c == u'\r';
                       });
    if (plain) {
        return text;  // most fields: one pass, no copy
    }
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@").contains(field.front())) {
        field.prepend(u'\'');
    }
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r')) {
        return field;
    }
    return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace pulsewell
