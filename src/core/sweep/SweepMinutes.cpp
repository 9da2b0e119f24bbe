#include "core/sweep/SweepMinutes.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "history/Calendar.h"

namespace pulsewell {

namespace {

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

}  // namespace

std::vector<history::SweptMinute> SweepMinutes::Add(const SweepResult& sweep, const QString& host) {
    const std::int64_t minuteMs =
        history::FloorTo(sweep.ended.toMSecsSinceEpoch(), history::kMinuteMs);
    std::vector<history::SweptMinute> closed;
    if (minuteMs != minuteMs_ || host != host_) {
        closed = Close();
        minuteMs_ = minuteMs;
        if (host != host_) {
            host_ = host;
            device_ = host.toStdString();
        }
    }
    for (const SweepRow& row : sweep.rows) {
        if (row.state != SweepRowState::Measured) {
            continue;
        }
        auto place = places_.constFind(row.name);
        if (place == places_.cend()) {
            history::SweptMinute& added = open_.emplace_back();
            added.minuteMs = minuteMs_;
            added.device = device_;
            added.interfaceName = row.name.toStdString();
            place = places_.insert(row.name, open_.size() - 1);
        }
        history::SweptMinute& m = open_[*place];
        m.interfaceIndex = row.index;
        AddDirection(m.in, row.inOctets, row.inBytesPerSecond, row.inMs, row.inErrorsPerSecond,
                     row.inDiscardsPerSecond);
        AddDirection(m.out, row.outOctets, row.outBytesPerSecond, row.outMs, row.outErrorsPerSecond,
                     row.outDiscardsPerSecond);
    }
    return closed;
}

std::vector<history::SweptMinute> SweepMinutes::Close() {
    places_.clear();
    return std::exchange(open_, {});
}

}  // namespace pulsewell
