#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "history/HistoryStore.h"

namespace pulsewell {

// The ranges the history window offers; FromTo is the user's own.
enum class HistorySpan { Hour, Day, Week, Month, Year, FromTo };

struct HistoryRange {
    std::int64_t fromMs = 0;
    std::int64_t toMs = 0;
};

// The span's range up to `nowMs` (FromTo: empty).
HistoryRange SpanEnding(HistorySpan span, std::int64_t nowMs);

// A row of the volume table: the period and its bytes per direction. A period
// that the range cuts says "(part)": its bytes are those within the range.
struct VolumeRow {
    QString period;
    QString in;
    QString out;
};

// What the history window shows of one interface over one range, read from
// the store: the points at the span's step, the 95th percentiles, the volume
// and the daily and monthly volumes, as texts and values in the unit shown.
class HistoryView {
  public:
    explicit HistoryView(history::HistoryStore& store) : store_(store) {}

    // Reads the range anew; false when the store holds nothing of the
    // interface (the view is then empty). Throws DatabaseError.
    bool Show(const QString& device, const QString& interface, HistorySpan span, HistoryRange range,
              int billingDay);
    void SetShowBytes(bool showBytes) { showBytes_ = showBytes; }
    bool ShowsBytes() const { return showBytes_; }

    history::Step Step() const { return step_; }
    const HistoryRange& Range() const { return range_; }
    const std::vector<history::Point>& Points() const { return points_; }
    // A rate in the unit shown, none for a gap.
    std::optional<std::int64_t> Shown(const std::optional<double>& bytesPerSecond) const;
    std::optional<std::int64_t> InPercentile() const { return Shown(figures_.in.percentile95); }
    std::optional<std::int64_t> OutPercentile() const { return Shown(figures_.out.percentile95); }

    QString UnitText() const;
    QString InPercentileText() const;
    QString OutPercentileText() const;
    QString VolumeText() const;
    const std::vector<VolumeRow>& Days() const { return days_; }
    const std::vector<VolumeRow>& Months() const { return months_; }

    // The points as CSV: UTC time, step, IN and OUT in the unit shown, empty
    // for a gap; CR LF line ends.
    QString Csv() const;

  private:
    QString PercentileText(const std::optional<std::int64_t>& value) const;
    // A month from `billingDay`, or a day (billingDay 0).
    static std::vector<VolumeRow> Rows(const std::vector<history::PeriodVolume>& periods,
                                       int billingDay);

    history::HistoryStore& store_;
    bool showBytes_ = false;
    history::Step step_ = history::Step::Hour;
    HistoryRange range_;
    std::vector<history::Point> points_;
    history::RangeFigures figures_;
    history::Volume volume_;
    std::vector<VolumeRow> days_;
    std::vector<VolumeRow> months_;
};

}  // namespace pulsewell
