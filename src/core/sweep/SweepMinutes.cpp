#include "core/sweep/SweepMinutes.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "history/Calendar.h"

namespace pulsewell {

namespace {

constexpr std::size_t kNoSlot = std::numeric_limits<std::size_t>::max();

// One direction of one sweep, where it measured its octets.
void AddDirection(history::MinuteDirection& d, const std::optional<std::int64_t>& octets,
                  const std::optional<std::int64_t>& bytesPerSecond, std::int64_t coveredMs,
                  const std::optional<double>& errors, const std::optional<double>& discards) {
    if (!octets || !bytesPerSecond || coveredMs <= 0) {
        return;
    }
    d.least = d.sweeps == 0 ? *bytesPerSecond : std::min(d.least, *bytesPerSecond);
    d.most = d.sweeps == 0 ? *bytesPerSecond : std::max(d.most, *bytesPerSecond);
    d.bytes += *octets;
    d.coveredMs += coveredMs;
    ++d.sweeps;
    const double seconds = static_cast<double>(coveredMs) / 1000.0;
    if (errors) {
        d.errors += *errors * seconds;
        ++d.errorSweeps;
    }
    if (discards) {
        d.discards += *discards * seconds;
        ++d.discardSweeps;
    }
}

// The table hands the same name on from sweep to sweep: its text is
// compared only where it is another string.
bool SameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

}  // namespace

void SweepMinutes::Add(const SweepResult& sweep, const QString& host) {
    const std::int64_t minuteMs =
        history::FloorTo(sweep.ended.toMSecsSinceEpoch(), history::kMinuteMs);
    if (minuteMs != minuteMs_ || host != host_) {
        Close();
        minuteMs_ = minuteMs;
        if (host != host_) {
            host_ = host;
            device_ = host.toStdString();
            slots_.clear();
            byName_.clear();
            byRow_.clear();
        }
    }
    byRow_.resize(static_cast<std::size_t>(sweep.rows.size()), kNoSlot);
    for (std::size_t i = 0; i < byRow_.size(); ++i) {
        const SweepRow& row = sweep.rows[static_cast<qsizetype>(i)];
        if (row.state != SweepRowState::Measured) {
            continue;
        }
        const std::size_t place = byRow_[i];
        Slot& slot = place < slots_.size() && SameText(slots_[place].name, row.name)
                         ? slots_[place]
                         : LookUpSlot(i, row.name);
        if (!slot.open) {
            slot.in = {};
            slot.out = {};
            slot.open = true;
        }
        slot.interfaceIndex = row.index;
        AddDirection(slot.in, row.inOctets, row.inBytesPerSecond, row.inMs, row.inErrorsPerSecond,
                     row.inDiscardsPerSecond);
        AddDirection(slot.out, row.outOctets, row.outBytesPerSecond, row.outMs,
                     row.outErrorsPerSecond, row.outDiscardsPerSecond);
    }
}

SweepMinutes::Slot& SweepMinutes::LookUpSlot(std::size_t position, const QString& name) {
    std::size_t& place = byRow_[position];
    const auto found = std::ranges::lower_bound(
        byName_, name, {},
        [this](std::size_t slot) -> const QString& { return slots_[slot].name; });
    if (found != byName_.end() && slots_[*found].name == name) {
        place = *found;
    } else {
        place = slots_.size();
        Slot& slot = slots_.emplace_back();
        slot.name = name;
        slot.historyName = name.toStdString();
        byName_.insert(found, place);
    }
    return slots_[place];
}

void SweepMinutes::Close() {
    if (std::ranges::none_of(slots_, &Slot::open)) {
        return;
    }
    auto next = slots_.begin();
    keep_([&](std::vector<history::SweptMinute>& run) {
        run.clear();
        for (; next != slots_.end() && run.size() < kMinutesARun; ++next) {
            if (next->open) {
                run.push_back({minuteMs_, device_, next->historyName, next->interfaceIndex,
                               next->in, next->out});
            }
        }
        return !run.empty();
    });
    for (Slot& slot : slots_) {
        slot.open = false;
    }
}

}  // namespace pulsewell
