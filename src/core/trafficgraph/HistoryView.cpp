#include "core/trafficgraph/HistoryView.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/numbers/NumberText.h"

namespace pulsewell {

namespace {

using history::kDayMs;
using history::kHourMs;

// Enough digits for any 64-bit value: volumes are shown whole.
constexpr int kAllDigits = 19;

QString Grouped(std::int64_t value) {
    return GroupedIntegerText(value, kAllDigits);
}

QString UtcDay(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd"));
}

// Each span's step: minutes up to a day, hours beyond. Consolidated steps have
// a point for every bucket, so the points lie evenly in time and a stretch
// without readings is a gap; raw readings lie where the polls fell.
std::optional<history::Step> SpanStep(HistorySpan span) {
    switch (span) {
        case HistorySpan::Hour:
        case HistorySpan::Day:
            return history::Step::Minute;
        case HistorySpan::Week:
        case HistorySpan::Month:
        case HistorySpan::Year:
            return history::Step::Hour;
        case HistorySpan::FromTo:
            break;
    }
    return std::nullopt;
}

}  // namespace

HistoryRange SpanEnding(HistorySpan span, std::int64_t nowMs) {
    const std::int64_t lengths[] = {kHourMs, kDayMs, 7 * kDayMs, 30 * kDayMs, 365 * kDayMs, 0};
    return {nowMs - lengths[static_cast<int>(span)], nowMs};
}

bool HistoryView::Show(const QString& device, const QString& interface, HistorySpan span,
                       HistoryRange range, int billingDay) {
    range_ = range;
    points_.clear();
    figures_ = {};
    volume_ = {};
    days_.clear();
    months_.clear();
    const auto series = store_.FindSeries(device.toStdString(), interface.toStdString());
    if (!series) {
        return false;
    }
    const std::int64_t id = series->id;
    step_ = SpanStep(span).value_or(history::Step::Hour);
    if (span == HistorySpan::FromTo) {
        step_ = std::max(store_.AutomaticStep(id, range.fromMs, range.toMs), history::Step::Minute);
    }
    points_ = store_.Range(id, range.fromMs, range.toMs, step_);
    figures_ = store_.Figures(id, range.fromMs, range.toMs);
    volume_ = store_.VolumeOf(id, range.fromMs, range.toMs);
    days_ = Rows(store_.DailyVolumes(id, range.fromMs, range.toMs), 0);
    months_ = Rows(store_.MonthlyVolumes(id, range.fromMs, range.toMs, billingDay), billingDay);
    return true;
}

std::optional<std::int64_t> HistoryView::Shown(const std::optional<double>& bytesPerSecond) const {
    if (!bytesPerSecond) {
        return std::nullopt;
    }
    return std::llround(*bytesPerSecond * (showBytes_ ? 1 : 8));
}

QString HistoryView::UnitText() const {
    return showBytes_ ? QStringLiteral("Bytes/sec") : QStringLiteral("Bit/sec");
}

QString HistoryView::PercentileText(const std::optional<std::int64_t>& value) const {
    return value ? Grouped(*value) + u' ' + UnitText() : QStringLiteral("no readings");
}

QString HistoryView::InPercentileText() const {
    return QStringLiteral("IN 95th percentile: ") + PercentileText(InPercentile());
}

QString HistoryView::OutPercentileText() const {
    return QStringLiteral("OUT 95th percentile: ") + PercentileText(OutPercentile());
}

QString HistoryView::VolumeText() const {
    if (volume_.rows == 0) {
        return QStringLiteral("Volume: no readings");
    }
    return QStringLiteral("Volume IN: %1 bytes; OUT: %2 bytes")
        .arg(Grouped(volume_.in), Grouped(volume_.out));
}

std::vector<VolumeRow> HistoryView::Rows(const std::vector<history::PeriodVolume>& periods,
                                         int billingDay) {
    std::vector<VolumeRow> rows;
    for (const auto& [period, volume] : periods) {
        const history::Period whole =
            billingDay > 0 ? history::BillingMonthOf(period.fromMs, billingDay)
                           : history::Period{history::FloorTo(period.fromMs, kDayMs),
                                             history::FloorTo(period.fromMs, kDayMs) + kDayMs};
        VolumeRow row;
        row.period = billingDay > 0 ? UtcDay(whole.fromMs) + QStringLiteral(" to ") +
                                          UtcDay(whole.toMs - kDayMs)
                                    : UtcDay(whole.fromMs);
        if (period.fromMs != whole.fromMs || period.toMs != whole.toMs) {
            row.period += QStringLiteral(" (part)");
        }
        row.in = volume.rows == 0 ? QStringLiteral("no readings") : Grouped(volume.in);
        row.out = volume.rows == 0 ? QString() : Grouped(volume.out);
        rows.push_back(row);
    }
    return rows;
}

QString HistoryView::Csv() const {
    const QString unit = showBytes_ ? QStringLiteral("bytes_per_s") : QStringLiteral("bits_per_s");
    QString csv = QStringLiteral("time,step,in_%1,out_%1\r\n").arg(unit);
    const auto field = [this](const std::optional<double>& rate) {
        const auto value = Shown(rate);
        return value ? IntegerText(*value) : QString();
    };
    for (const history::Point& p : points_) {
        csv += QStringList{QDateTime::fromMSecsSinceEpoch(p.timeMs, Qt::UTC).toString(Qt::ISODate),
                           QString::fromLatin1(history::StepName(step_)), field(p.inRate),
                           field(p.outRate)}
                   .join(u',') +
               QStringLiteral("\r\n");
    }
    return csv;
}

}  // namespace pulsewell
