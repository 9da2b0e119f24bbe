#include "history/Calendar.h"

namespace pulsewell::history {

// Days from and to civil dates after the proleptic Gregorian calendar, by
// 400-year eras.
std::int64_t UtcMidnightMs(const CivilDate& date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear =
        (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return (era * 146097 + dayOfEra - 719468) * kDayMs;
}

CivilDate UtcDate(std::int64_t ms) {
    const std::int64_t days = FloorTo(ms, kDayMs) / kDayMs + 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

Period BillingMonth(int year, int month, int billingDay) {
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    return {UtcMidnightMs({year, month, billingDay}),
            UtcMidnightMs({nextYear, nextMonth, billingDay})};
}

Period BillingMonthOf(std::int64_t ms, int billingDay) {
    CivilDate date = UtcDate(ms);
    if (date.day < billingDay) {
        date.month -= 1;
        if (date.month == 0) {
            date.month = 12;
            date.year -= 1;
        }
    }
    return BillingMonth(date.year, date.month, billingDay);
}

}  // namespace pulsewell::history
