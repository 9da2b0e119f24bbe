#pragma once

#include <QStringList>
#include <cstdint>
#include <limits>

#include "core/MonitorState.h"
#include "core/numbers/Rounding.h"

namespace pulsewell {

// The figures one poll derives from two counter readings. Field names are the
// keys of the debug log.
struct TTrafficSample {
    std::int64_t orgout = 0;
    std::int64_t orgin = 0;
    std::int64_t outbyte = 0;
    std::int64_t inbyte = 0;
    std::int64_t outbit = 0;
    std::int64_t inbit = 0;
    std::int64_t outbytepers = 0;
    std::int64_t inbytepers = 0;
    std::int64_t outbitpers = 0;
    std::int64_t inbitpers = 0;
    std::int64_t combinedbytepers = 0;
    std::int64_t combinedbitpers = 0;
    double utilbit = 0.0;
    double utilbyte = 0.0;
    bool outWrapped = false;
    bool inWrapped = false;
    // A 64-bit counter fell (device restart or counter reset) or leapt by
    // 2^63 or more (the agent's glitch): counted as 0.
    bool outReset = false;
    bool inReset = false;
    // The reading came less than half an interval after the one it would be
    // measured from (a poll queued right behind another): no rate for that
    // side, and the next poll measures from the earlier reading.
    bool outNoRate = false;
    bool inNoRate = false;
};

inline constexpr std::int64_t kCounterModulus = 4294967296;  // 2^32

// What one counter moved between two readings: a 32-bit counter that fell
// wrapped around once; a 64-bit one that fell, or leapt by 2^63 or more,
// counts 0. Readings as ComputeSample holds them (32-bit ones non-negative).
struct CounterStep {
    std::int64_t octets = 0;
    bool wrapped = false;
    bool fell = false;
    bool leapt = false;
};

// 64 bits do not wrap in any device's lifetime: a counter that falls was
// restarted, and the octets before the restart are unknown. Nor does any
// link move 2^63 octets between two readings: such a step is the agent's glitch.
// Inline: a sweep steps six counters an interface.
inline CounterStep StepBetween(std::int64_t before, std::int64_t now, bool wide) {
    CounterStep step;
    if (!wide) {
        step.octets = WrappingSub(now, before);
        if (step.octets < 0) {
            step.octets = WrappingAdd(step.octets, kCounterModulus);
            step.wrapped = true;
        }
        return step;
    }
    const auto to = static_cast<std::uint64_t>(now);
    const auto from = static_cast<std::uint64_t>(before);
    const std::uint64_t octets = to - from;
    step.fell = to < from;
    step.leapt =
        !step.fell && octets > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!step.fell && !step.leapt) {
        step.octets = static_cast<std::int64_t>(octets);
    }
    return step;
}

// One poll's sample and what it leaves: the counters and totals after it,
// and the lines it has for the message list.
struct SampleStep {
    TTrafficSample sample;
    TrafficCounters counters;
    QStringList messages;
};

// Computes the sample from each side's new reading (Now) and the one it is
// measured from (Previous); changes nothing, and throws ConversionError for
// a reading that does not parse. 32-bit readings arrive signed and a fall is
// a wrap-around; 64-bit ones (Wide) are unsigned, and a fall or a leap of
// 2^63 or more counts 0 for that poll. Rates divide by the whole intervals,
// rounded, between the two readings' times; a reading that repeats the one
// before (its time unchanged) adds nothing. A counter counts from its first
// reading on, whatever its value. The utilization is left to Utilization().
SampleStep ComputeSample(const TrafficCounters& counters, int intervalSeconds);

// The sample's bits per second in percent of `bandwidth`; 0 for a bandwidth
// of 0. Throws ConversionError when the bandwidth does not parse.
double Utilization(const TTrafficSample& sample, const QString& bandwidth);

// Whether the sample has rates to show, in a traffic line and log entry: a
// side had a previous reading, and not both came too soon after theirs.
bool HasRates(const TrafficCounters& counters, const TTrafficSample& sample);

}  // namespace pulsewell
