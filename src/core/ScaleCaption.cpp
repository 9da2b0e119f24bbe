#include "ScaleCaption.h"

namespace pulsewell {

namespace {

constexpr int kSignificantDigits = 12;

std::uint64_t KeepSignificantDigits(std::uint64_t magnitude) {
    std::uint64_t limit = 1;
    for (int i = 0; i < kSignificantDigits; ++i) {
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

}  // namespace

QString ScaleCaptionText(std::int64_t value, const QLocale& locale) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const QString digits =
        locale.toString(static_cast<qulonglong>(KeepSignificantDigits(magnitude)));
    return negative ? locale.negativeSign() + digits : digits;
}

}  // namespace pulsewell
