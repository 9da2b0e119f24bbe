#pragma once

#include <cstdint>

namespace pulsewell::history {

inline constexpr std::int64_t kMinuteMs = 60'000;
inline constexpr std::int64_t kHourMs = 3'600'000;
inline constexpr std::int64_t kDayMs = 86'400'000;

// Rounds down to a multiple of `step`, also below 1970.
constexpr std::int64_t FloorTo(std::int64_t value, std::int64_t step) {
    const std::int64_t rest = value % step;
    return rest < 0 ? value - rest - step : value - rest;
}
constexpr std::int64_t CeilTo(std::int64_t value, std::int64_t step) {
    const std::int64_t down = FloorTo(value, step);
    return down == value ? value : down + step;
}

struct CivilDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

// Midnight UTC of a date, in milliseconds since 1970.
std::int64_t UtcMidnightMs(const CivilDate& date);
// The UTC date a moment falls on.
CivilDate UtcDate(std::int64_t ms);

// A billing month: from `billingDay` (1..28) of year-month to that day of the
// next month, midnight UTC.
struct Period {
    std::int64_t fromMs = 0;
    std::int64_t toMs = 0;
};
Period BillingMonth(int year, int month, int billingDay);
// The billing month that holds the moment.
Period BillingMonthOf(std::int64_t ms, int billingDay);

}  // namespace pulsewell::history
