#include "core/text/RecordFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace pulsewell {

QString IsoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString PercentField(double percent) {
    return QString::number(percent, 'f', 2);
}

void AppendTwoDecimals(std::string& out, double value) {
    // Most values are whole hundredths or clear of a half: their digits are
    // those of one rounded integer. The product's rounding error is at most
    // half a unit in its last place, so a fraction further than a unit from
    // one half rounds the same as the exact value would.
    const double hundredths = value * 100.0;
    constexpr double kExactBelow = 4503599627370496.0;  // 2^52: the fraction is exact
    if (!std::signbit(value) && hundredths < kExactBelow) {
        const double whole = std::floor(hundredths);
        const double fraction = hundredths - whole;
        if (std::abs(fraction - 0.5) > hundredths * 0x1p-52) {
            const auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            std::array<char, 24> digits{};
            char* end =
                std::to_chars(digits.data(), digits.data() + digits.size(), rounded / 100).ptr;
            *end++ = '.';
            *end++ = static_cast<char>('0' + rounded % 100 / 10);
            *end++ = static_cast<char>('0' + rounded % 10);
            out.append(digits.data(), end);
            return;
        }
    }
    std::array<char, 400> text{};
    out.append(text.data(), std::to_chars(text.data(), text.data() + text.size(), value,
                                          std::chars_format::fixed, 2)
                                .ptr);
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
