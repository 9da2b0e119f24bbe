#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pulsewell::history {

// What a poll noted beside its figures, as bits of Reading::notes.
enum Note : std::uint32_t {
    InWrapped = 1,
    OutWrapped = 2,
    // A 64-bit counter fell or leapt: that side counted 0.
    InReset = 4,
    OutReset = 8,
    // No value came for that side: the previous reading stood in for it.
    InSubstituted = 16,
    OutSubstituted = 32,
    // Counters only, nothing to measure against (the first poll of a run).
    NotMeasured = 64,
};

// One poll of one interface. A rate left empty is a gap, never a zero.
struct Reading {
    // UTC, milliseconds since 1970.
    std::int64_t timeMs = 0;
    std::string device;
    std::int64_t interfaceIndex = 0;
    // Empty where the poll does not know it; a stored name is then kept.
    std::string interfaceName;
    // None where the reading does not keep them.
    std::optional<std::int64_t> inCounter;
    std::optional<std::int64_t> outCounter;
    std::int64_t inBytes = 0;
    std::int64_t outBytes = 0;
    // Bytes per second.
    std::optional<std::int64_t> inRate;
    std::optional<std::int64_t> outRate;
    std::uint32_t notes = 0;
};

// One direction of a swept interface over a minute: what its sweeps with a
// value measured, so that the average is bytes over the seconds they cover
// and a sweep without a value is a gap, not a zero.
struct MinuteDirection {
    std::int64_t bytes = 0;
    std::int64_t coveredMs = 0;
    std::int64_t sweeps = 0;
    // Bytes per second of the slowest and the fastest sweep.
    std::int64_t least = 0;
    std::int64_t most = 0;
    // Errors and discards over the covered time, and the sweeps that read them.
    double errors = 0.0;
    std::int64_t errorSweeps = 0;
    double discards = 0.0;
    std::int64_t discardSweeps = 0;
};

// A swept interface's minute, kept by its name; a minute a program's end
// cut short covers fewer seconds.
struct SweptMinute {
    // UTC, milliseconds since 1970: the start of the minute.
    std::int64_t minuteMs = 0;
    std::string device;
    std::string interfaceName;
    // Where the device has the interface now.
    std::int64_t interfaceIndex = 0;
    MinuteDirection in;
    MinuteDirection out;
};

// Fills `run` with the next interfaces of one closed minute, emptied first;
// false once none are left. A device's thousands come a few blocks at a time.
using SweptMinuteRuns = std::function<bool(std::vector<SweptMinute>& run)>;

// How long each resolution is kept.
struct Retention {
    std::int64_t rawHours = 48;
    std::int64_t minuteDays = 30;
    std::int64_t hourDays = 730;
    // Swept interfaces come by the thousand: their minutes go sooner.
    std::int64_t sweptMinuteDays = 7;
};

}  // namespace pulsewell::history
