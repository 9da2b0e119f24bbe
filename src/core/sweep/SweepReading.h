#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "DeviceReader.h"

namespace pulsewell {

// The objects a sweep reads of each interface.
enum class SweepColumn {
    HcInOctets,
    HcOutOctets,
    InOctets,
    OutOctets,
    InErrors,
    OutErrors,
    InDiscards,
    OutDiscards,
    OperStatus,
    AdminStatus,
    LastChange,
    Descr,
    Name,
    Alias,
    Speed,
    HighSpeed,
};
inline constexpr int kSweepColumns = 16;

// What came of one interface, as the device's value texts.
class SweepCells {
  public:
    bool Has(SweepColumn column) const { return answered_ & Bit(column); }
    // Empty where none came.
    const QString& Text(SweepColumn column) const { return texts_[Slot(column)]; }
    void Set(SweepColumn column, const QString& text) {
        texts_[Slot(column)] = text;
        answered_ |= Bit(column);
    }

    // Steady-clock milliseconds when the incoming and outgoing counters arrived.
    std::int64_t inAtMs = 0;
    std::int64_t outAtMs = 0;

  private:
    static std::size_t Slot(SweepColumn column) { return static_cast<std::size_t>(column); }
    static std::uint32_t Bit(SweepColumn column) { return 1u << Slot(column); }

    std::array<QString, kSweepColumns> texts_;
    std::uint32_t answered_ = 0;
};

// What one sweep read of the device.
struct SweepReading {
    // sysUpTime in hundredths of a second; none when the sweep got no answer at all.
    std::optional<std::int64_t> upTime;
    std::optional<std::int64_t> ifNumber;
    std::optional<std::int64_t> tableLastChange;
    // The table's members and their names were read afresh: an interface
    // missing from them has left the table.
    bool namesRead = false;
    // By ifIndex.
    std::map<int, SweepCells> interfaces;
    // GetBulk, Get and GetNext requests sent.
    int requests = 0;
};

// What the sweep before learnt, so that this one reads no more than it must.
struct SweepPlan {
    // The 64-bit counters (SNMPv2c, SNMPv3).
    bool wide = false;
    // Names, aliases and speeds are read on the first sweep and when the
    // table changed (ifNumber, ifTableLastChange, an agent restart).
    bool readNames = true;
    std::optional<std::int64_t> upTime;
    std::optional<std::int64_t> ifNumber;
    std::optional<std::int64_t> tableLastChange;
    // The table as last read, with each interface's ifOperStatus text.
    QHash<int, QString> operStatus;
    QString community;
    QString host;
};

// The device worker's side of a sweep: every interface's counters, errors,
// discards and states, by GetBulk where the reader walks that way, else by
// GetNext and Get batches. It stops at the first request that goes
// unanswered and when `current` turns false, with what it got so far.
SweepReading ReadSweep(DeviceReader& reader, const SweepPlan& plan,
                       const std::function<bool()>& current);

}  // namespace pulsewell
