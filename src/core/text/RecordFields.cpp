#include "core/text/RecordFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace pulsewell {

QString IsoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString PercentField(double percent) {
    return QString::number(percent, 'f', 2);
}

char* WriteTwoDecimals(char* to, double value) {
    // Most values are whole hundredths or clear of a half: their digits are
    // those of one rounded integer. The product's rounding error is at most
    // half a unit in its last place, so a fraction further than a unit from
    // one half rounds the same as the exact value would.
    if (value == 0.0 && !std::signbit(value)) {
        return std::copy_n("0.00", 4, to);  // the rates of errors and discards mostly
    }
    const double hundredths = value * 100.0;
    constexpr double kExactBelow = 4503599627370496.0;  // 2^52: the fraction is exact
    if (!std::signbit(value) && hundredths < kExactBelow) {
        const auto whole = static_cast<std::uint64_t>(hundredths);
        const double fraction = hundredths - static_cast<double>(whole);
        if (std::abs(fraction - 0.5) > hundredths * 0x1p-52) {
            const std::uint64_t rounded = whole + (fraction > 0.5 ? 1 : 0);
            if (rounded < 100) {
                *to++ = '0';
            } else {
                to = std::to_chars(to, to + kTwoDecimalsMost, rounded / 100).ptr;
            }
            *to++ = '.';
            *to++ = static_cast<char>('0' + rounded % 100 / 10);
            *to++ = static_cast<char>('0' + rounded % 10);
            return to;
        }
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
