#include "core/numbers/NumberText.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "core/OperationError.h"
#include "core/text/FixedDigits.h"

namespace pulsewell {

namespace {

bool ParseDecimal(const QString& text, std::int64_t& result) {
    int position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == u'-' || text[position] == u'+')) {
        negative = text[position] == u'-';
        ++position;
    }
    if (position == text.size()) {
        return false;
    }
    // Accumulate as a negative number so that INT64_MIN parses too.
    std::int64_t value = 0;
    for (; position < text.size(); ++position) {
        const QChar c = text[position];
        if (c < u'0' || c > u'9') {
            return false;
        }
        const int digit = c.unicode() - u'0';
        if (value < (std::numeric_limits<std::int64_t>::min() + digit) / 10) {
            return false;
        }
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == std::numeric_limits<std::int64_t>::min()) {
            return false;
        }
        value = -value;
    }
    result = value;
    return true;
}

// A finite non-negative value as significant decimal digits d1 d2 ... with
// exponent E, meaning 0.d1d2... * 10^E, rounded half away from zero at the
// given number of digits (taken from an 18-digit expansion, so the rounding
// decides on the decimal digits a reader sees).
struct DecimalDigits {
    std::string digits;  // without leading zeros; empty for zero
    int exponent = 0;
};

DecimalDigits Expand(double magnitude) {
    DecimalDigits result;
    if (magnitude == 0.0) {
        return result;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    const std::string text(buffer);
    const auto e = text.find('e');
    result.digits = text.substr(0, 1) + text.substr(2, e - 2);
    result.exponent = std::stoi(text.substr(e + 1)) + 1;
    return result;
}

// Keeps `keep` leading digits (keep may be 0 or negative: then the value
// rounds to zero or to one unit at that position).
DecimalDigits RoundTo(DecimalDigits value, int keep) {
    if (value.digits.empty()) {
        return value;
    }
    if (keep < 0) {
        return {};
    }
    if (keep >= static_cast<int>(value.digits.size())) {
        return value;
    }
    const bool roundUp = value.digits[keep] >= '5';
    value.digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && value.digits[i] == '9') {
            value.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++value.digits[i];
        } else {
            value.digits.insert(value.digits.begin(), '1');
            ++value.exponent;
        }
    }
    while (!value.digits.empty() && value.digits.back() == '0') {
        value.digits.pop_back();
    }
    if (value.digits.empty()) {
        value.exponent = 0;
    }
    return value;
}

char DigitAt(const DecimalDigits& value, int index) {
    return index >= 0 && index < static_cast<int>(value.digits.size()) ? value.digits[index] : '0';
}

// d.dddE+XX with `mantissaDigits` digits and at least `exponentDigits` in the exponent.
QString ExponentForm(const DecimalDigits& value, int mantissaDigits, bool padMantissa,
                     int exponentDigits, bool plusSign, const QString& separator) {
    QString text(QChar(DigitAt(value, 0)));
    const int shown = padMantissa ? mantissaDigits : static_cast<int>(value.digits.size());
    if (shown > 1) {
        text += separator;
        for (int i = 1; i < shown; ++i) {
            text += QChar(DigitAt(value, i));
        }
    }
    const int exponent = value.exponent - 1;
    text += u'E';
    if (exponent < 0) {
        text += u'-';
    } else if (plusSign) {
        text += u'+';
    }
    text += QString::number(std::abs(exponent)).rightJustified(exponentDigits, u'0');
    return text;
}

// The digits before the decimal point, "0" for a value below one.
QString IntegerPart(const DecimalDigits& value) {
    if (value.exponent <= 0) {
        return QStringLiteral("0");
    }
    QString text;
    for (int i = 0; i < value.exponent; ++i) {
        text += QChar(DigitAt(value, i));
    }
    return text;
}

std::uint64_t KeepSignificantDigits(std::uint64_t magnitude, int significantDigits) {
    std::uint64_t limit = 1;
    for (int i = 0; i < significantDigits; ++i) {
        limit *= 10;
    }
    std::uint64_t unit = 1;
    while (magnitude / unit >= limit) {
        unit *= 10;
    }
    if (unit == 1) {
        return magnitude;
    }
    std::uint64_t kept = magnitude / unit;
    const std::uint64_t rest = magnitude % unit;
    const std::uint64_t half = unit / 2;
    if (rest > half || (rest == half && kept % 2 == 1)) {
        ++kept;
    }
    return kept * unit;  // at most 9.3e18, well inside 64 unsigned bits
}

QString NonFinite(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

}  // namespace

std::optional<std::int64_t> TryParseInt64(const QString& text) {
    std::int64_t value = 0;
    return ParseDecimal(text, value) ? std::optional(value) : std::nullopt;
}

std::int64_t ParseInt64(const QString& text) {
    const std::optional<std::int64_t> value = TryParseInt64(text);
    if (!value) {
        throw ConversionError(text);
    }
    return *value;
}

std::int32_t ParseInt32(const QString& text) {
    const std::int64_t value = ParseInt64(text);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw ConversionError(text);
    }
    return static_cast<std::int32_t>(value);
}

std::uint64_t ParseUInt64(const QString& text) {
    if (text.isEmpty()) {
        throw ConversionError(text);
    }
    std::uint64_t value = 0;
    for (const QChar c : text) {
        const int digit = c.unicode() - u'0';
        if (c < u'0' || c > u'9' ||
            value >
                (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(digit)) / 10) {
            throw ConversionError(text);
        }
        value = value * 10 + static_cast<unsigned>(digit);
    }
    return value;
}

std::int32_t ParseStoredInt32(const QString& text) {
    const qsizetype sign = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (text.mid(sign, 1) != QStringLiteral("$")) {
        return ParseInt32(text);
    }
    const QString digits = text.mid(sign + 1);
    bool ok = false;
    const std::uint32_t pattern = digits.toUInt(&ok, 16);
    if (!ok || digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
        })) {
        throw ConversionError(text);
    }
    const auto value = static_cast<std::int32_t>(pattern);
    return text.startsWith(u'-') ? static_cast<std::int32_t>(0u - pattern) : value;
}

QString IntegerText(std::int64_t value) {
    return QString::number(value);
}

QString GroupedIntegerText(std::int64_t value, int significantDigits, const QLocale& locale) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const QString digits = locale.toString(
        static_cast<qulonglong>(KeepSignificantDigits(magnitude, significantDigits)));
    return negative ? locale.negativeSign() + digits : digits;
}

QString StripSeparators(QString text) {
    text.remove(u'.');
    text.remove(u',');
    text.remove(u' ');
    return text;
}

QString PercentText(double value, const QString& decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFinite(value);
    }
    constexpr int kPrecision = 4;
    constexpr int kDecimals = 2;
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    DecimalDigits digits = Expand(std::fabs(value));
    if (digits.exponent > kPrecision) {
        return sign + ExponentForm(RoundTo(digits, kPrecision), kPrecision, true, 2, true,
                                   decimalSeparator);
    }
    digits = RoundTo(digits, std::min(kPrecision, digits.exponent + kDecimals));
    QString text = IntegerPart(digits);
    text += decimalSeparator;
    for (int i = 0; i < kDecimals; ++i) {
        text += QChar(DigitAt(digits, digits.exponent + i));
    }
    const bool isZero = digits.digits.empty();
    return (isZero ? QString() : sign) + text;
}

QString PercentText(double value) {
    return PercentText(value, QLocale().decimalPoint());
}

QString FloatText(double value, const QString& decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFinite(value);
    }
    constexpr int kPrecision = 15;
    const DecimalDigits digits = RoundTo(Expand(std::fabs(value)), kPrecision);
    if (digits.digits.empty()) {
        return QStringLiteral("0");
    }
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (digits.exponent > kPrecision || digits.exponent < -3) {
        return sign + ExponentForm(digits, kPrecision, false, 1, false, decimalSeparator);
    }
    QString text = IntegerPart(digits);
    const int fractionDigits = static_cast<int>(digits.digits.size()) - digits.exponent;
    if (fractionDigits > 0) {
        text += decimalSeparator;
        for (int i = 0; i < fractionDigits; ++i) {
            text += QChar(DigitAt(digits, digits.exponent + i));
        }
    }
    return sign + text;
}

QString FloatText(double value) {
    return FloatText(value, QLocale().decimalPoint());
}

QString ShortRate(std::int64_t bitsPerSecond) {
    std::array<char, kFixedTextMost> text;
    return QString::fromLatin1(text.data(),
                               WriteShortRate(text.data(), bitsPerSecond) - text.data());
}

namespace {

// Apart, so that the usual values need no frame for the text.
[[gnu::cold]] char* WriteFixedByQt(char* to, double value, int decimals) {
    const QByteArray text = QString::number(value, 'f', decimals).toLatin1();
    return std::copy(text.cbegin(), text.cend(), to);
}

}  // namespace

char* WriteFixed(char* to, double value, int decimals) {
    if (value == 0.0 && !std::signbit(value) && decimals >= 0 && decimals <= 3) {
        constexpr std::string_view kZero = "0.000";  // the rates of a quiet port
        return std::copy_n(kZero.begin(), decimals == 0 ? 1 : decimals + 2, to);
    }
    if (char* end = WriteClearOfHalf(to, value, decimals)) {
        return end;
    }
    return WriteFixedByQt(to, value, decimals);
}

char* WriteShortRate(char* to, std::int64_t bitsPerSecond) {
    static constexpr std::array<char, 4> kPrefixes = {'k', 'M', 'G', 'T'};
    if (bitsPerSecond < 1000) {
        return std::to_chars(to, to + kFixedTextMost, bitsPerSecond).ptr;
    }
    double value = static_cast<double>(bitsPerSecond);
    std::size_t prefix = 0;
    for (value /= 1000.0; value >= 1000.0 && prefix + 1 < kPrefixes.size(); value /= 1000.0) {
        ++prefix;
    }
    const int decimals = value < 10.0 ? 2 : value < 100.0 ? 1 : 0;
    to = WriteFixed(to, value, decimals);
    *to++ = kPrefixes[prefix];
    return to;
}

}  // namespace pulsewell
