#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

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
    // What a row's rates and events need of the sweeps before.
    struct Followed {
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
        // The last sweep that took the row.
        std::uint64_t sweep = 0;
    };
    // An interface of the table as last read.
    struct Member {
        int index = 0;
        QString name;
        // Its position in rows_, -1 until looked up by name.
        qsizetype row = -1;
        // Its ifOperStatus in the last sweep that answered (0: none came).
        int operStatus = 0;
    };

    QString KeyOf(int index, const SweepCells& cells) const;
    // The table's members after this reading.
    void Follow(const SweepReading& reading);
    void Take(SweepRow& row, Followed& f, int index, const SweepCells& cells, bool names,
              const QDateTime& time, QList<SweepEvent>& events);
    void Measure(SweepRow& row, Followed& f, const SweepCells& cells);
    static void Forget(Followed& f);
    // Drops the rows shown as vanished.
    void Prune();

    // The rows as shown, handed to every result as they are.
    QList<SweepRow> rows_;
    // Beside rows_, position for position.
    std::vector<Followed> followed_;
    // Name to position in rows_.
    QHash<QString, qsizetype> byName_;
    // By index, ascending.
    std::vector<Member> members_;
    std::uint64_t sweeps_ = 0;
    std::optional<std::int64_t> upTime_;
    std::optional<std::int64_t> ifNumber_;
    std::optional<std::int64_t> tableLastChange_;
    bool swept_ = false;
    double highThreshold_ = 90.0;
};

}  // namespace pulsewell
