#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

#include "core/sweep/SweepReading.h"
#include "core/sweep/SweepResult.h"

namespace pulsewell {

// The device's interfaces from sweep to sweep, each followed by its name:
// the rates between two readings, the rows that came, went or moved to
// another index, and the events between two sweeps.
class SweepTable {
  public:
    // What the next sweep should read, after what this table has seen.
    SweepPlan Plan(bool wide) const;
    // The high threshold of the utilization events, in percent.
    void SetHighThreshold(double percent) { highThreshold_ = percent; }
    // Takes one sweep's reading. ended and durationMs are the sweep's own.
    SweepResult Apply(const SweepReading& reading, const QDateTime& ended, std::int64_t durationMs);
    // Forgets every interface, as for another device.
    void Clear();

  private:
    // Where a counter stood, and when.
    struct Reading {
        std::int64_t value = 0;
        std::int64_t atMs = 0;
    };
    struct Followed {
        SweepRow row;
        std::optional<Reading> in;
        std::optional<Reading> out;
        std::optional<Reading> inErrors;
        std::optional<Reading> outErrors;
        std::optional<Reading> inDiscards;
        std::optional<Reading> outDiscards;
        // The last ifOperStatus that came, across sweeps without one.
        int operStatus = 0;
        // The utilization stood at or above the high threshold.
        bool high = false;
        bool vanished = false;
    };

    QString KeyOf(int index, const SweepCells& cells) const;
    void Take(Followed& f, int index, const SweepCells& cells, bool names, const QDateTime& time,
              QList<SweepEvent>& events);
    void Measure(Followed& f, const SweepCells& cells);
    void Forget(Followed& f);

    QList<Followed> rows_;
    // Name to position in rows_.
    QHash<QString, qsizetype> byName_;
    // The table as last read: index to name.
    QHash<int, QString> members_;
    QHash<int, int> operStatus_;
    std::optional<std::int64_t> upTime_;
    std::optional<std::int64_t> ifNumber_;
    std::optional<std::int64_t> tableLastChange_;
    bool swept_ = false;
    double highThreshold_ = 90.0;
};

}  // namespace pulsewell
