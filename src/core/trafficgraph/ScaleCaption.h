#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

namespace pulsewell {

// A value of the graph's scale as the captions beside it show it: whole
// number, the locale's thousands separators, at most 12 significant digits.
// Larger values keep their 12 leading digits (halves to even) and show zeros
// after them, so the caption still reads as an ordinary number.
QString ScaleCaptionText(std::int64_t value, const QLocale& locale = QLocale());

}  // namespace pulsewell
