#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/sweep/SweepResult.h"
#include "history/Reading.h"

namespace pulsewell {

// Adds each interface's sweeps up into the minute they ended in, by the
// interface's name, for the history: a minute is handed over once a sweep of
// a later minute ends, and what is open when sweeping ends as a minute cut
// short. A row without rates adds nothing.
class SweepMinutes {
  public:
    // Takes a closed minute, its interfaces a few blocks at a time: a
    // device's thousands at once would be held twice in memory.
    using Keep = std::function<void(const history::SweptMinuteRuns& runs)>;
    static constexpr std::size_t kMinutesARun = 256;

    explicit SweepMinutes(Keep keep) : keep_(std::move(keep)) {}
    // Hands over the minute this sweep closed, if any, then adds the sweep
    // into its own.
    void Add(const SweepResult& sweep, const QString& host);
    // Hands over the open minute as far as it got; nothing stays open.
    void Close();

  private:
    // An interface of the device, by name, and its open minute.
    struct Slot {
        QString name;
        // The name as the history keeps it, made once instead of every minute.
        std::string historyName;
        std::int64_t interfaceIndex = 0;
        history::MinuteDirection in;
        history::MinuteDirection out;
        // A sweep of the open minute measured it.
        bool open = false;
    };
    // The slot of the row at `position`, looked up by name where the row
    // moved or is new.
    Slot& LookUpSlot(std::size_t position, const QString& name);

    Keep keep_;
    std::int64_t minuteMs_ = 0;
    QString host_;
    std::string device_;
    // Every name the device's sweeps measured, in the order first seen.
    std::vector<Slot> slots_;
    // The slots in the order of their names, for the rows that moved: less
    // memory than a hash for thousands of interfaces.
    std::vector<std::size_t> byName_;
    // The slot of each row of the last sweep: rows keep their places from
    // sweep to sweep, so a name is looked up only where the rows changed.
    std::vector<std::size_t> byRow_;
};

}  // namespace pulsewell
