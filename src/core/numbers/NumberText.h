#pragma once

#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

// Text forms of numbers shared by the message list and both logs, and the one
// integer parser every text-to-number conversion of the monitor goes through.
namespace pulsewell {

// Decimal signed 64-bit: optional sign, then digits only. Throws ConversionError
// with the program's message for anything else, the empty text included.
std::int64_t ParseInt64(const QString& text);

// Nothing where ParseInt64 throws.
std::optional<std::int64_t> TryParseInt64(const QString& text);

// Same rule, narrowed to signed 32 bits (out-of-range text is an error too).
std::int32_t ParseInt32(const QString& text);

// Decimal unsigned 64-bit, digits only (a Counter64's value text); the same
// error for anything else.
std::uint64_t ParseUInt64(const QString& text);

// The stored options' integer form: ParseInt32's, or an optional sign, "$" and
// one to eight hexadecimal digits taken as a 32-bit pattern ("$FFFFFFFF" is -1).
std::int32_t ParseStoredInt32(const QString& text);

// Plain decimal, "-" for negatives, no separators.
QString IntegerText(std::int64_t value);

// Fixed point with two decimals after rounding to four significant digits;
// values with more than four integer digits switch to exponent form.
QString PercentText(double value, const QString& decimalSeparator);
QString PercentText(double value);

// Whole number grouped as the locale groups it, at most `significantDigits`
// significant digits: larger values keep their leading digits (halves to even)
// and show zeros after them, so the text still reads as an ordinary number.
QString GroupedIntegerText(std::int64_t value, int significantDigits,
                           const QLocale& locale = QLocale());

// "950", "12.3k", "1.25M", "10.0G": a rate or speed in short, decimal prefixes.
QString ShortRate(std::int64_t bitsPerSecond);

// The most characters WriteFixed and WriteShortRate write: a sign, a double's
// 309 whole digits, a point, the decimals and a prefix.
inline constexpr std::size_t kFixedTextMost = 330;
// QString::number(value, 'f', decimals) as Latin-1 bytes at `to`, which has
// room for kFixedTextMost; returns where it ended. For tables of thousands of
// rows: most values are written from one rounded integer.
char* WriteFixed(char* to, double value, int decimals);
// ShortRate's text the same way.
char* WriteShortRate(char* to, std::int64_t bitsPerSecond);

// Removes every ".", "," and " ": the separators a typed bandwidth may carry.
QString StripSeparators(QString text);

// General format: up to 15 significant digits, no trailing zeros.
QString FloatText(double value, const QString& decimalSeparator);
QString FloatText(double value);

}  // namespace pulsewell
