#include "core/sweep/SweepTable.h"

#include <algorithm>

#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"
#include "core/polling/TrafficSample.h"

namespace pulsewell {

namespace {

using Column = SweepColumn;

constexpr int kUp = 1;
// The most ifSpeed can say; ifHighSpeed says more.
constexpr std::int64_t kSpeedCeiling = 4294967295;

std::optional<std::int64_t> Number(const SweepCells& cells, Column column) {
    return cells.Has(column) ? std::optional(cells.Number(column)) : std::nullopt;
}

// Bits per second; ifHighSpeed's megabits where ifSpeed is at its ceiling.
std::optional<std::int64_t> SpeedOf(const SweepCells& cells) {
    const std::optional<std::int64_t> high = Number(cells, Column::HighSpeed);
    if (Number(cells, Column::Speed) == kSpeedCeiling && high && *high > 0) {
        return *high * 1000000;
    }
    return Number(cells, Column::Speed);
}

double Seconds(std::int64_t fromMs, std::int64_t toMs) {
    return static_cast<double>(toMs - fromMs) / 1000.0;
}

}  // namespace

SweepPlan SweepTable::Plan(bool wide) const {
    SweepPlan plan;
    plan.wide = wide;
    plan.readNames = !swept_;
    plan.upTime = upTime_;
    plan.ifNumber = ifNumber_;
    plan.tableLastChange = tableLastChange_;
    plan.operStatus.reserve(members_.size());
    for (const Member& member : members_) {
        plan.operStatus.emplace_back(member.index, member.operStatus);
    }
    return plan;
}

void SweepTable::Clear() {
    *this = SweepTable();
}

QString SweepTable::KeyOf(int index, const SweepCells& cells) const {
    for (const Column column : {Column::Name, Column::Descr}) {
        if (cells.Has(column) && !cells.Text(column).isEmpty()) {
            return cells.Text(column);
        }
    }
    const auto known = std::ranges::lower_bound(members_, index, {}, &Member::index);
    return known != members_.end() && known->index == index
               ? known->name
               : QStringLiteral("ifIndex %1").arg(index);
}

void SweepTable::Forget(Followed& f) {
    f.in.reset();
    f.out.reset();
    f.inErrors.reset();
    f.outErrors.reset();
    f.inDiscards.reset();
    f.outDiscards.reset();
}

void SweepTable::Measure(SweepRow& row, Followed& f, const SweepCells& cells) {
    const bool wide = cells.Has(Column::HcInOctets) || cells.Has(Column::HcOutOctets);
    const bool counted = wide || cells.Has(Column::InOctets) || cells.Has(Column::OutOctets);
    // Readings of the other width are no base for a difference.
    if (counted && wide != row.wide) {
        f.in.reset();
        f.out.reset();
        row.wide = wide;
    }
    // One direction's octets: the rates where the reading before is there.
    const auto octets = [&](std::optional<Reading>& before, std::optional<std::int64_t> now,
                            std::int64_t atMs, std::optional<std::int64_t>& diff,
                            std::int64_t& coveredMs, std::optional<std::int64_t>& bytesPerSecond,
                            std::optional<std::int64_t>& bitsPerSecond,
                            std::optional<double>& utilization, bool& wrapped) {
        if (!now) {
            return;
        }
        if (before && atMs > before->atMs) {
            const CounterStep step = StepBetween(before->value, *now, wide);
            if (!step.fell && !step.leapt) {
                const double seconds = Seconds(before->atMs, atMs);
                diff = step.octets;
                coveredMs = atMs - before->atMs;
                wrapped = step.wrapped;
                bytesPerSecond = RoundHalfEven(static_cast<double>(step.octets) / seconds);
                bitsPerSecond =
                    RoundHalfEven(static_cast<double>(WrappingMul(step.octets, 8)) / seconds);
                if (row.speed && *row.speed > 0) {
                    utilization = static_cast<double>(*bitsPerSecond) * 100.0 /
                                  static_cast<double>(*row.speed);
                }
            }
        }
        before = Reading{*now, atMs};
    };
    // Errors and discards: 32-bit counters per second.
    const auto perSecond = [&](std::optional<Reading>& before, Column column, std::int64_t atMs,
                               std::optional<double>& rate) {
        const std::optional<std::int64_t> now = Number(cells, column);
        if (!now || atMs == 0) {
            return;
        }
        if (before && atMs > before->atMs) {
            rate = static_cast<double>(StepBetween(before->value, *now, false).octets) /
                   Seconds(before->atMs, atMs);
        }
        before = Reading{*now, atMs};
    };
    const std::optional<std::int64_t> in =
        Number(cells, wide ? Column::HcInOctets : Column::InOctets);
    const std::optional<std::int64_t> out =
        Number(cells, wide ? Column::HcOutOctets : Column::OutOctets);
    octets(f.in, in, cells.inAtMs, row.inOctets, row.inMs, row.inBytesPerSecond,
           row.inBitsPerSecond, row.inUtilization, row.inWrapped);
    octets(f.out, out, cells.outAtMs, row.outOctets, row.outMs, row.outBytesPerSecond,
           row.outBitsPerSecond, row.outUtilization, row.outWrapped);
    perSecond(f.inErrors, Column::InErrors, cells.inAtMs, row.inErrorsPerSecond);
    perSecond(f.outErrors, Column::OutErrors, cells.outAtMs, row.outErrorsPerSecond);
    perSecond(f.inDiscards, Column::InDiscards, cells.inAtMs, row.inDiscardsPerSecond);
    perSecond(f.outDiscards, Column::OutDiscards, cells.outAtMs, row.outDiscardsPerSecond);
    row.state = row.inBytesPerSecond || row.outBytesPerSecond ? SweepRowState::Measured
                : !in && !out                                 ? SweepRowState::NoAnswer
                                                              : SweepRowState::FirstReading;
}

void SweepTable::Take(SweepRow& row, Followed& f, int index, const SweepCells& cells, bool names,
                      const QDateTime& time, QList<SweepEvent>& events) {
    // In place: the name and the alias stay where they are.
    static_cast<SweepMeasurement&>(row) = SweepMeasurement();
    row.index = index;
    if (names && cells.Has(Column::Alias)) {
        row.alias = cells.Text(Column::Alias);
    }
    row.operStatus = static_cast<int>(Number(cells, Column::OperStatus).value_or(0));
    row.adminStatus = static_cast<int>(Number(cells, Column::AdminStatus).value_or(0));
    if (names) {
        row.speed = SpeedOf(cells);
    }
    if (cells.Has(Column::LastChange)) {
        row.lastChange = Number(cells, Column::LastChange);
    }
    Measure(row, f, cells);
    const auto event = [&](SweepEvent::Kind kind, double utilization) {
        events.append({kind, time, index, row.name, utilization});
    };
    if (row.operStatus != 0) {
        if (f.operStatus != 0 && (f.operStatus == kUp) != (row.operStatus == kUp)) {
            event(row.operStatus == kUp ? SweepEvent::LinkUp : SweepEvent::LinkDown, 0.0);
        }
        f.operStatus = row.operStatus;
    }
    if (row.inUtilization || row.outUtilization) {
        const double utilization =
            std::max(row.inUtilization.value_or(0.0), row.outUtilization.value_or(0.0));
        if (utilization >= highThreshold_ && !f.high) {
            event(SweepEvent::HighUtilization, utilization);
        }
        f.high = utilization >= highThreshold_;
    }
}

void SweepTable::Prune() {
    if (std::ranges::none_of(followed_, &Followed::vanished)) {
        return;
    }
    qsizetype kept = 0;
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        if (!followed_[static_cast<std::size_t>(i)].vanished) {
            rows_[kept] = std::move(rows_[i]);
            followed_[static_cast<std::size_t>(kept)] = followed_[static_cast<std::size_t>(i)];
            ++kept;
        }
    }
    rows_.resize(kept);
    followed_.resize(static_cast<std::size_t>(kept));
    byName_.clear();
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        byName_.insert(rows_[i].name, i);
    }
    for (Member& member : members_) {
        member.row = -1;
    }
}

void SweepTable::Follow(const SweepReading& reading) {
    if (reading.namesRead) {
        std::vector<Member> members;
        members.reserve(reading.interfaces.size());
        QHash<QString, int> taken;
        for (const auto& [index, cells] : reading.interfaces) {
            QString key = KeyOf(index, cells);
            if (taken.contains(key)) {
                key += QStringLiteral(" (ifIndex %1)").arg(index);  // two of one name
            }
            taken.insert(key, index);
            members.push_back({index, key});
        }
        members_ = std::move(members);
        return;
    }
    // Interfaces the table did not have, by the name they came with.
    std::vector<Member> added;
    auto member = members_.cbegin();
    for (const auto& [index, cells] : reading.interfaces) {
        while (member != members_.cend() && member->index < index) {
            ++member;
        }
        if (member == members_.cend() || member->index != index) {
            added.push_back({index, KeyOf(index, cells)});
        }
    }
    for (Member& m : added) {
        const auto at = std::ranges::lower_bound(members_, m.index, {}, &Member::index);
        members_.insert(at, std::move(m));
    }
}

SweepResult SweepTable::Apply(const SweepReading& reading, const QDateTime& ended,
                              std::int64_t durationMs) {
    SweepResult result;
    result.ended = ended;
    result.durationMs = durationMs;
    ++sweeps_;
    Prune();
    result.silent = !reading.upTime;
    result.agentRestarted = reading.upTime && upTime_ && *reading.upTime < *upTime_;
    if (result.agentRestarted) {
        std::ranges::for_each(followed_, Forget);
    }
    if (!result.silent) {
        Follow(reading);
    }

    const SweepCells none;
    auto cells = reading.interfaces.cbegin();
    for (Member& member : members_) {
        while (cells != reading.interfaces.cend() && cells->first < member.index) {
            ++cells;
        }
        const SweepCells& read = cells != reading.interfaces.cend() && cells->first == member.index
                                     ? cells->second
                                     : none;
        std::optional<SweepRowState> fresh;
        if (member.row < 0) {
            member.row = byName_.value(member.name, -1);
        }
        if (member.row < 0) {
            member.row = rows_.size();
            rows_.append(SweepRow());
            rows_.last().name = member.name;
            followed_.emplace_back();
            byName_.insert(member.name, member.row);
            if (swept_) {
                fresh = SweepRowState::Appeared;
            }
        } else if (rows_[member.row].index != member.index) {
            Forget(followed_[static_cast<std::size_t>(member.row)]);
            fresh = SweepRowState::Renumbered;
        }
        SweepRow& row = rows_[member.row];
        Followed& f = followed_[static_cast<std::size_t>(member.row)];
        Take(row, f, member.index, read, reading.namesRead, ended, result.events);
        if (fresh) {
            row.state = *fresh;
        }
        f.sweep = sweeps_;
        if (!result.silent) {
            member.operStatus = static_cast<int>(Number(read, Column::OperStatus).value_or(0));
        }
    }
    // A row no member took has left the table.
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        Followed& f = followed_[static_cast<std::size_t>(i)];
        if (f.sweep != sweeps_) {
            Forget(f);
            SweepRow& row = rows_[i];
            SweepRow gone;
            gone.index = row.index;
            gone.name = row.name;
            gone.alias = row.alias;
            gone.state = SweepRowState::Vanished;
            row = std::move(gone);
            f.vanished = true;
        }
    }
    if (!result.silent) {
        upTime_ = reading.upTime;
        ifNumber_ = reading.ifNumber;
        tableLastChange_ = reading.tableLastChange;
        swept_ = true;
    }
    result.rows = rows_;
    return result;
}

}  // namespace pulsewell
