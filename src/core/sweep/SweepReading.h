#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/device/DeviceReader.h"
#include "core/polling/TrafficSample.h"
#include "snmp/Ber.h"

namespace pulsewell {

// The objects a sweep reads of each interface: numbers, then texts.
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
    Speed,
    HighSpeed,
    Descr,
    Name,
    Alias,
};
inline constexpr int kSweepColumns = 16;
inline constexpr int kSweepNumberColumns = 13;

// What came of one interface, numbers parsed as they arrive so that a
// sweep of many interfaces keeps no texts but the names.
class SweepCells {
  public:
    bool Has(SweepColumn column) const { return answered_ & Bit(column); }
    // A number column's value: 64-bit counters as the bit pattern of their
    // unsigned value, 32-bit counters and gauges unsigned (agents may send
    // them signed).
    std::int64_t Number(SweepColumn column) const { return numbers_[Slot(column)]; }
    // A text column's value; empty where none came.
    const QString& Text(SweepColumn column) const;
    // The agent's value text; a number column keeps none that is no number.
    void Set(SweepColumn column, const QString& text);
    // The same from a value's BER type and contents, numbers read without a
    // text where their text would leave no doubt. Inline: a sweep takes
    // eight numbers an interface.
    void SetContents(SweepColumn column, int type, std::string_view contents) {
        const bool wide = Wide(column);
        const std::optional<std::int64_t> number = Slot(column) < kSweepNumberColumns
                                                       ? ContentsNumber(type, contents, wide)
                                                       : std::nullopt;
        // Texts, and the numbers a 64-bit column would read from a negative text.
        if (!number || (wide && *number < 0 && type != snmp::ber::Counter64)) {
            SetText(column, type, contents);
            return;
        }
        numbers_[Slot(column)] = !wide && *number < 0 ? *number + kCounterModulus : *number;
        answered_ |= Bit(column);
    }

    // Steady-clock milliseconds when the incoming and outgoing counters arrived.
    std::int64_t inAtMs = 0;
    std::int64_t outAtMs = 0;

  private:
    static std::size_t Slot(SweepColumn column) { return static_cast<std::size_t>(column); }
    static std::uint32_t Bit(SweepColumn column) { return 1u << Slot(column); }
    static bool Wide(SweepColumn column) {
        return column == SweepColumn::HcInOctets || column == SweepColumn::HcOutOctets;
    }
    // A number type's value: signed types signed, unsigned ones unsigned, a
    // Counter64 where it fits (in a 64-bit column as its bit pattern); none
    // for any other type.
    static std::optional<std::int64_t> ContentsNumber(int type, std::string_view contents,
                                                      bool wide) {
        switch (type) {
            case snmp::ber::Boolean:
            case snmp::ber::Integer:
            case snmp::ber::Enumerated:
                return snmp::SignedValue(contents);
            case snmp::ber::Counter:
            case snmp::ber::Gauge:
            case snmp::ber::TimeTicks:
                return snmp::UnsignedValue(contents);
            case snmp::ber::Counter64:
                if (const std::uint64_t value = snmp::Unsigned64Value(contents);
                    wide || value <= std::numeric_limits<std::int64_t>::max()) {
                    return static_cast<std::int64_t>(value);
                }
                return std::nullopt;
            default:
                return std::nullopt;
        }
    }
    // The value as the agent's text.
    void SetText(SweepColumn column, int type, std::string_view contents);

    std::array<std::int64_t, kSweepNumberColumns> numbers_{};
    // Only where a text came: most sweeps read numbers alone.
    std::optional<std::array<QString, kSweepColumns - kSweepNumberColumns>> texts_;
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
    // By ifIndex, ascending.
    std::vector<std::pair<int, SweepCells>> interfaces;
    // GetBulk, Get and GetNext requests sent.
    int requests = 0;

    // The cells of this interface; null when none came.
    const SweepCells* Find(int index) const;
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
    // The table as last read, by index, with each interface's ifOperStatus
    // (0: none came).
    std::vector<std::pair<int, int>> operStatus;
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
