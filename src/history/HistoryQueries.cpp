#include "history/HistoryStore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "history/Connection.h"

namespace pulsewell::history {

namespace {

int Level(Step step) {
    return static_cast<int>(step);
}

template <std::size_t N>
Statement& At(const std::array<std::unique_ptr<Statement>, N>& statements, int index) {
    return *statements[static_cast<std::size_t>(index)];
}

// Nearest rank: the least value that at least 95 % of the values do not exceed.
std::optional<double> Percentile95(std::vector<double> values) {
    if (values.empty()) {
        return std::nullopt;
    }
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

Point Gap(std::int64_t timeMs) {
    Point gap;
    gap.timeMs = timeMs;
    return gap;
}

}  // namespace

const char* StepName(Step step) {
    static constexpr std::array<const char*, kLevels> kNames = {"raw", "1m", "1h", "1d"};
    return kNames[static_cast<std::size_t>(step)];
}

std::optional<Step> ParseStep(const std::string& text) {
    for (const Step step : {Step::Raw, Step::Minute, Step::Hour, Step::Day}) {
        if (text == StepName(step)) {
            return step;
        }
    }
    return std::nullopt;
}

std::vector<Series> HistoryStore::AllSeries() {
    Statement& all = Db().allSeries;
    std::vector<Series> series;
    while (all.Step()) {
        series.push_back(
            {all.Integer(0), all.Text(1), all.Integer(2), all.Text(3), all.Integer(4) != 0});
    }
    return series;
}

std::optional<Series> HistoryStore::FindSeries(const std::string& device,
                                               const std::string& interface) {
    const bool number = !interface.empty() && interface.size() < 19 &&
                        std::all_of(interface.begin(), interface.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    // What the text keys first: a polled interface's index, a swept one's name.
    const auto keyed = [&](const Series& s) {
        return number ? !s.swept && s.interfaceIndex == std::stoll(interface)
                      : s.swept && s.interfaceName == interface;
    };
    const auto labelled = [&](const Series& s) {
        return number ? s.swept && s.interfaceIndex == std::stoll(interface)
                      : !s.swept && s.interfaceName == interface;
    };
    std::optional<Series> found;
    for (const Series& series : AllSeries()) {
        if (series.device != device) {
            continue;
        }
        if (keyed(series)) {
            return series;
        }
        // Ids grow: the latest of several swept interfaces once at this index.
        if (labelled(series) && (!found || series.id > found->id)) {
            found = series;
        }
    }
    return found;
}

std::array<bool, kLevels> HistoryStore::Covering(const SeriesState& series, std::int64_t fromMs) {
    Connection& c = Db();
    std::array<std::optional<std::int64_t>, kLevels> firsts;
    std::int64_t firstData = std::numeric_limits<std::int64_t>::max();
    for (int level = 0; level < kLevels; ++level) {
        Statement& first = At(c.first, Source(level, series.swept));
        first.Bind(1, series.id);
        if (first.Step() && !first.Null(0)) {
            firsts[static_cast<std::size_t>(level)] = first.Integer(0);
            firstData = std::min(firstData, first.Integer(0));
        }
        first.Run();
    }
    const std::int64_t start = std::max(fromMs, firstData);
    std::array<bool, kLevels> covering{};
    // Raw readings before the pruning point survive only around alarms.
    covering[0] = firsts[0] && start >= series.prunedUntil;
    for (std::size_t level = 1; level < kLevels; ++level) {
        covering[level] = firsts[level] && *firsts[level] <= start;
    }
    return covering;
}

Step HistoryStore::AutomaticStep(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs) {
    const std::array<bool, kLevels> covering = Covering(LoadSeries(seriesId), fromMs);
    Statement& count = At(Db().count, 0);
    count.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs);
    const std::int64_t raw = count.Step() ? count.Integer(0) : 0;
    count.Run();
    if (covering[0] && raw > 0 && raw <= kMaxPoints) {
        return Step::Raw;
    }
    for (const Step step : {Step::Minute, Step::Hour}) {
        const auto level = static_cast<std::size_t>(Level(step));
        const std::int64_t points = (toMs - fromMs + kLevelMs[level] - 1) / kLevelMs[level];
        if (covering[level] && points <= kMaxPoints) {
            return step;
        }
    }
    return Step::Day;
}

std::vector<Point> HistoryStore::Range(std::int64_t seriesId, std::int64_t fromMs,
                                       std::int64_t toMs, Step step) {
    Connection& c = Db();
    const int level = Level(step);
    const std::int64_t stepMs = kLevelMs[static_cast<std::size_t>(level)];
    Statement& rows =
        level == 0 ? c.rawRange : At(c.range, Source(level, LoadSeries(seriesId).swept));
    const std::int64_t first = level == 0 ? fromMs : FloorTo(fromMs, stepMs);
    rows.Bind(1, seriesId).Bind(2, first).Bind(3, toMs);
    std::vector<Point> points;
    std::int64_t next = first;
    while (rows.Step()) {
        Point point{rows.Integer(0),
                    rows.OptionalReal(1),
                    rows.OptionalReal(2),
                    rows.OptionalReal(3),
                    rows.OptionalReal(4),
                    rows.OptionalReal(5),
                    rows.OptionalReal(6),
                    rows.Integer(7),
                    rows.Integer(8),
                    rows.Integer(9),
                    static_cast<std::uint32_t>(rows.Integer(10)),
                    rows.OptionalReal(11),
                    rows.OptionalReal(12),
                    rows.OptionalReal(13),
                    rows.OptionalReal(14)};
        // Buckets nothing was read in are gaps of their own.
        for (; level > 0 && next < point.timeMs; next += stepMs) {
            points.push_back(Gap(next));
        }
        next = point.timeMs + stepMs;
        points.push_back(point);
    }
    for (; level > 0 && next < toMs; next += stepMs) {
        points.push_back(Gap(next));
    }
    return points;
}

Volume HistoryStore::LevelVolume(const SeriesState& series, int level, std::int64_t fromMs,
                                 std::int64_t toMs) {
    if (fromMs >= toMs) {
        return {};
    }
    const auto sum = [&](int at, std::int64_t from, std::int64_t to) {
        Statement& volume = At(Db().volume, Source(at, series.swept));
        volume.Bind(1, series.id).Bind(2, from).Bind(3, to);
        Volume total;
        if (volume.Step()) {
            total = {volume.Integer(0), volume.Integer(1), volume.Integer(2)};
        }
        volume.Run();
        return total;
    };
    if (level == 0) {
        return sum(0, fromMs, toMs);
    }
    const std::int64_t stepMs = kLevelMs[static_cast<std::size_t>(level)];
    const std::array<std::int64_t, kLevels> until = {0, series.minuteUntil, series.hourUntil,
                                                     series.dayUntil};
    const std::int64_t a = CeilTo(fromMs, stepMs);
    const std::int64_t b = std::min(FloorTo(toMs, stepMs), until[static_cast<std::size_t>(level)]);
    if (a >= b) {
        return LevelVolume(series, level - 1, fromMs, toMs);
    }
    Volume total = sum(level, a, b);
    total += LevelVolume(series, level - 1, fromMs, a);
    total += LevelVolume(series, level - 1, b, toMs);
    return total;
}

Volume HistoryStore::VolumeOf(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs) {
    return LevelVolume(LoadSeries(seriesId), kLevels - 1, fromMs, toMs);
}

std::vector<PeriodVolume> HistoryStore::DailyVolumes(std::int64_t seriesId, std::int64_t fromMs,
                                                     std::int64_t toMs) {
    std::vector<PeriodVolume> days;
    for (std::int64_t day = FloorTo(fromMs, kDayMs); day < toMs; day += kDayMs) {
        const Period period{std::max(day, fromMs), std::min(day + kDayMs, toMs)};
        days.push_back({period, VolumeOf(seriesId, period.fromMs, period.toMs)});
    }
    return days;
}

std::vector<PeriodVolume> HistoryStore::MonthlyVolumes(std::int64_t seriesId, std::int64_t fromMs,
                                                       std::int64_t toMs, int billingDay) {
    std::vector<PeriodVolume> months;
    for (Period month = BillingMonthOf(fromMs, billingDay); month.fromMs < toMs;
         month = BillingMonthOf(month.toMs, billingDay)) {
        const Period period{std::max(month.fromMs, fromMs), std::min(month.toMs, toMs)};
        months.push_back({period, VolumeOf(seriesId, period.fromMs, period.toMs)});
    }
    return months;
}

RangeFigures HistoryStore::Figures(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs) {
    Connection& c = Db();
    RangeFigures figures;
    const SeriesState series = LoadSeries(seriesId);
    const std::array<bool, kLevels> covering = Covering(series, fromMs);
    const auto hasRows = [&](int level) {
        Statement& count = At(c.count, Source(level, series.swept));
        count.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs);
        const bool rows = count.Step() && count.Integer(0) > 0;
        count.Run();
        return rows;
    };
    // The finest consolidated rows that cover the range, else whatever it has.
    std::optional<int> basis;
    for (const int level : {1, 2, 3}) {
        if (!basis && covering[static_cast<std::size_t>(level)] && hasRows(level)) {
            basis = level;
        }
    }
    for (const int level : {1, 2, 3, 0}) {
        if (!basis && hasRows(level)) {
            basis = level;
        }
    }
    if (basis) {
        const int level = *basis;
        figures.basis = static_cast<Step>(level);
        Statement& summary = At(c.summary, Source(level, series.swept));
        summary.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs);
        if (summary.Step()) {
            figures.in.average = summary.OptionalReal(0);
            figures.in.maximum = summary.OptionalReal(1);
            figures.out.average = summary.OptionalReal(2);
            figures.out.maximum = summary.OptionalReal(3);
        }
        summary.Run();
        std::vector<double> in;
        std::vector<double> out;
        Statement& buckets = At(c.buckets, Source(level, series.swept));
        buckets.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs);
        while (buckets.Step()) {
            if (!buckets.Null(0)) {
                in.push_back(buckets.Real(0));
            }
            if (!buckets.Null(1)) {
                out.push_back(buckets.Real(1));
            }
        }
        figures.in.percentile95 = Percentile95(std::move(in));
        figures.out.percentile95 = Percentile95(std::move(out));
    }
    return figures;
}

std::vector<std::int64_t> HistoryStore::AlarmTimes(std::int64_t seriesId, std::int64_t fromMs,
                                                   std::int64_t toMs) {
    Statement& alarms = Db().alarms;
    alarms.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs);
    std::vector<std::int64_t> times;
    while (alarms.Step()) {
        times.push_back(alarms.Integer(0));
    }
    return times;
}

std::optional<PeriodVolume> HistoryStore::BusiestHour(std::int64_t seriesId, std::int64_t fromMs,
                                                      std::int64_t toMs) {
    Connection& c = Db();
    std::optional<PeriodVolume> busiest;
    const auto consider = [&](Statement& hours, std::int64_t from, std::int64_t to) {
        hours.Bind(1, seriesId).Bind(2, from).Bind(3, to);
        if (hours.Step()) {
            const PeriodVolume hour{{hours.Integer(0), hours.Integer(0) + kHourMs},
                                    {hours.Integer(1), hours.Integer(2), 1}};
            if (!busiest ||
                hour.volume.in + hour.volume.out > busiest->volume.in + busiest->volume.out) {
                busiest = hour;
            }
        }
        hours.Run();
    };
    // The hour still open has only minute rows.
    const SeriesState series = LoadSeries(seriesId);
    const std::int64_t closed = std::clamp(series.hourUntil, fromMs, toMs);
    consider(c.busiestHour, fromMs, closed);
    consider(series.swept ? c.openSweptHours : c.openHours, closed, toMs);
    return busiest;
}

}  // namespace pulsewell::history
