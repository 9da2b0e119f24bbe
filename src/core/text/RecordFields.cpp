#include "core/text/RecordFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/text/FixedDigits.h"

namespace pulsewell {

QString IsoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString PercentField(double percent) {
    return QString::number(percent, 'f', 2);
}

char* WriteTwoDecimals(char* to, double value) {
    if (value == 0.0 && !std::signbit(value)) {
        return std::copy_n("0.00", 4, to);  // the rates of errors and discards mostly
    }
    if (char* end = WriteClearOfHalf(to, value, 2)) {
        return end;
    }
    return std::to_chars(to, to + kTwoDecimalsMost, value, std::chars_format::fixed, 2).ptr;
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
