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
    plan.operStatus = operStatus_;
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
    return members_.value(index, QStringLiteral("ifIndex %1").arg(index));
}

void SweepTable::Forget(Followed& f) {
    f.in.reset();
    f.out.reset();
    f.inErrors.reset();
    f.outErrors.reset();
    f.inDiscards.reset();
    f.outDiscards.reset();
}

void SweepTable::Measure(Followed& f, const SweepCells& cells) {
    SweepRow& row = f.row;
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
                            std::optional<std::int64_t>& bytesPerSecond,
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
    octets(f.in, in, cells.inAtMs, row.inOctets, row.inBytesPerSecond, row.inBitsPerSecond,
           row.inUtilization, row.inWrapped);
    octets(f.out, out, cells.outAtMs, row.outOctets, row.outBytesPerSecond, row.outBitsPerSecond,
           row.outUtilization, row.outWrapped);
    perSecond(f.inErrors, Column::InErrors, cells.inAtMs, row.inErrorsPerSecond);
    perSecond(f.outErrors, Column::OutErrors, cells.outAtMs, row.outErrorsPerSecond);
    perSecond(f.inDiscards, Column::InDiscards, cells.inAtMs, row.inDiscardsPerSecond);
    perSecond(f.outDiscards, Column::OutDiscards, cells.outAtMs, row.outDiscardsPerSecond);
    row.state = row.inBytesPerSecond || row.outBytesPerSecond ? SweepRowState::Measured
                : !in && !out                                 ? SweepRowState::NoAnswer
                                                              : SweepRowState::FirstReading;
}

void SweepTable::Take(Followed& f, int index, const SweepCells& cells, bool names,
                      const QDateTime& time, QList<SweepEvent>& events) {
    SweepRow& row = f.row;
    const SweepRow before = row;
    row = SweepRow();
    row.index = index;
    row.name = before.name;
    row.alias = names && cells.Has(Column::Alias) ? cells.Text(Column::Alias) : before.alias;
    row.operStatus = static_cast<int>(Number(cells, Column::OperStatus).value_or(0));
    row.adminStatus = static_cast<int>(Number(cells, Column::AdminStatus).value_or(0));
    row.speed = names ? SpeedOf(cells) : before.speed;
    row.lastChange =
        cells.Has(Column::LastChange) ? Number(cells, Column::LastChange) : before.lastChange;
    row.wide = before.wide;
    Measure(f, cells);
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

SweepResult SweepTable::Apply(const SweepReading& reading, const QDateTime& ended,
                              std::int64_t durationMs) {
    SweepResult result;
    result.ended = ended;
    result.durationMs = durationMs;
    // Rows shown as vanished once are gone.
    rows_.removeIf([](const Followed& f) { return f.vanished; });
    byName_.clear();
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        byName_.insert(rows_[i].row.name, i);
    }
    result.silent = !reading.upTime;
    result.agentRestarted = reading.upTime && upTime_ && *reading.upTime < *upTime_;
    if (result.agentRestarted) {
        std::ranges::for_each(rows_, [this](Followed& f) { Forget(f); });
    }

    QHash<int, QString> members;
    if (reading.namesRead) {
        QHash<QString, int> taken;
        for (const auto& [index, cells] : reading.interfaces) {
            QString key = KeyOf(index, cells);
            if (taken.contains(key)) {
                key += QStringLiteral(" (ifIndex %1)").arg(index);  // two of one name
            }
            taken.insert(key, index);
            members.insert(index, key);
        }
    } else {
        members = members_;
        for (const auto& [index, cells] : reading.interfaces) {
            if (!members.contains(index)) {
                members.insert(index, KeyOf(index, cells));
            }
        }
    }
    if (result.silent) {
        members = members_;
    }

    QList<int> indexes = members.keys();
    std::ranges::sort(indexes);
    QHash<int, int> operStatus;
    const SweepCells none;
    for (const int index : indexes) {
        const QString& key = members[index];
        const SweepCells* found = reading.Find(index);
        const SweepCells& cells = found == nullptr ? none : *found;
        std::optional<SweepRowState> fresh;
        qsizetype at = byName_.value(key, -1);
        if (at < 0) {
            at = rows_.size();
            rows_.append(Followed{});
            rows_.last().row.name = key;
            byName_.insert(key, at);
            if (swept_) {
                fresh = SweepRowState::Appeared;
            }
        } else if (rows_[at].row.index != index) {
            Forget(rows_[at]);
            fresh = SweepRowState::Renumbered;
        }
        Followed& f = rows_[at];
        Take(f, index, cells, reading.namesRead, ended, result.events);
        if (fresh) {
            f.row.state = *fresh;
        }
        operStatus.insert(index, static_cast<int>(Number(cells, Column::OperStatus).value_or(0)));
    }
    for (Followed& f : rows_) {
        if (!members.contains(f.row.index) || members[f.row.index] != f.row.name) {
            Forget(f);
            SweepRow gone;
            gone.index = f.row.index;
            gone.name = f.row.name;
            gone.alias = f.row.alias;
            gone.state = SweepRowState::Vanished;
            f.row = gone;
            f.vanished = true;
        }
    }
    if (!result.silent) {
        members_ = members;
        operStatus_ = operStatus;
        upTime_ = reading.upTime;
        ifNumber_ = reading.ifNumber;
        tableLastChange_ = reading.tableLastChange;
        swept_ = true;
    }
    result.rows.reserve(rows_.size());
    for (const Followed& f : rows_) {
        result.rows.append(f.row);
    }
    return result;
}

}  // namespace pulsewell
