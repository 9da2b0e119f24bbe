#pragma once

#include <QDateTime>
#include <QString>
#include <cstddef>

// The forms every record file shares (pulsewell-cli's CSV and JSON records,
// the graph's CSV): times in ISO 8601 with their offset, numbers in the C
// locale, text fields a spreadsheet takes as text.
namespace pulsewell {

// "2026-12-08T09:51:50+01:00", "Z" for UTC.
QString IsoTime(const QDateTime& time);

// A utilization in percent with two decimals: "4.80".
QString PercentField(double percent);

// The most characters WriteTwoDecimals writes: a sign, a double's 309 whole
// digits, a point and two decimals.
inline constexpr std::size_t kTwoDecimalsMost = 320;
// A number with two decimals, as std::to_chars writes it in fixed form
// (an exact half of a hundredth to even), in the C locale, at `to`, which
// has room for kTwoDecimalsMost characters; returns where it ended.
char* WriteTwoDecimals(char* to, double value);

// A text field of a CSV line: one that begins with "=", "+", "-" or "@",
// which a spreadsheet would run as a formula, gets a leading "'"; then,
// after RFC 4180, quoted where it holds a comma, a quote or a line break,
// its quotes doubled. Never for numbers: a negative number stays one.
QString CsvTextField(const QString& text);

}  // namespace pulsewell
