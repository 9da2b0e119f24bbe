#include "core/polling/TrafficSample.h"

#include <cstdint>
#include <limits>

#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"

namespace pulsewell {

namespace {

struct Direction {
    std::int64_t& counter;
    bool& counted;
    // When the reading was taken; set back to previousReadAt where the
    // earlier reading stays the one to measure from.
    std::int64_t& readAt;
    std::int64_t previousCounter;
    bool previousCounted;
    std::int64_t previousReadAt;
    std::int64_t& total;
    std::int64_t& org;
    std::int64_t& byteDiff;
    std::int64_t& bitDiff;
    std::int64_t& bytesPerSecond;
    std::int64_t& bitsPerSecond;
    bool& wrapped;
    bool& reset;
    bool& noRate;
    QString traffic;  // "outgoing traffic", "incoming traffic"
};

// A reading as the counter it stands for: 64-bit ones as the bit pattern of
// their unsigned value, 32-bit ones as their signed text.
std::int64_t ParseReading(const QString& text, bool wide) {
    return wide ? static_cast<std::int64_t>(ParseUInt64(text)) : ParseInt64(text);
}

void NarrowDifference(const Direction& d, MessageList& messages) {
    const CounterStep step = StepBetween(d.previousCounter, d.org, false);
    if (step.wrapped) {
        d.wrapped = true;
        messages.Append(QStringLiteral("Integer wrap around occured for ") + d.traffic);
    }
    d.byteDiff = step.octets;
}

void WideDifference(const Direction& d, MessageList& messages) {
    const CounterStep step = StepBetween(d.previousCounter, d.org, true);
    if (step.fell || step.leapt) {
        d.reset = true;
        messages.Append(step.fell ? QStringLiteral("64-bit counter fell for %1 (device restart "
                                                   "or counter reset), counted as 0")
                                        .arg(d.traffic)
                                  : QStringLiteral("64-bit counter leapt by 2^63 or more for "
                                                   "%1 (a glitch of the agent), counted as 0")
                                        .arg(d.traffic));
        return;
    }
    d.byteDiff = step.octets;
}

void ComputeDirection(std::int64_t reading, const Direction& d, TMonitorState& state,
                      MessageList& messages) {
    const bool wide = state.WideCounters;
    d.org = !wide && reading < 0 ? WrappingAdd(reading, kCounterModulus) : reading;
    const std::int64_t elapsed = d.readAt - d.previousReadAt;
    if (elapsed == 0) {
        // The reading before stood in for a missing one: nothing new, also no base.
        d.counter = d.previousCounter;
        d.counted = d.previousCounted;
        return;
    }
    std::int64_t intervals = 0;
    if (d.previousCounted) {
        intervals = RoundHalfEven(static_cast<double>(elapsed) /
                                  (static_cast<double>(state.IntervalSeconds) * 1000.0));
        if (intervals <= 0) {
            // The earlier reading stays the base, so this traffic counts next time.
            d.counter = d.previousCounter;
            d.counted = true;
            d.readAt = d.previousReadAt;
            d.noRate = true;
            messages.Append(QStringLiteral("Reading came less than half an interval after the "
                                           "one before: no rate for %1 in this poll")
                                .arg(d.traffic));
            return;
        }
        if (wide) {
            WideDifference(d, messages);
        } else {
            NarrowDifference(d, messages);
        }
    }
    d.counter = d.org;
    // A 32-bit reading beyond what 32 bits hold is no counter to measure from.
    d.counted = wide || d.org >= 0;
    d.bitDiff = WrappingMul(d.byteDiff, 8);
    d.total = WrappingAdd(d.total, d.byteDiff);
    state.TotalCombined = WrappingAdd(state.TotalIn, state.TotalOut);
    const double seconds = static_cast<double>(state.IntervalSeconds) * intervals;
    if (d.byteDiff > 0) {
        d.bytesPerSecond = RoundHalfEven(static_cast<double>(d.byteDiff) / seconds);
    }
    if (d.bitDiff > 0) {
        d.bitsPerSecond = RoundHalfEven(static_cast<double>(d.bitDiff) / seconds);
    }
}

}  // namespace

// 64 bits do not wrap in any device's lifetime: a counter that falls was
// restarted, and the octets before the restart are unknown. Nor does any
// link move 2^63 octets between two readings: such a step is the agent's glitch.
CounterStep StepBetween(std::int64_t before, std::int64_t now, bool wide) {
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

TTrafficSample ComputeSample(TMonitorState& state, MessageList& messages) {
    const std::int64_t outReading = ParseReading(state.OutReading, state.WideCounters);
    const std::int64_t inReading = ParseReading(state.InReading, state.WideCounters);

    TTrafficSample s;
    ComputeDirection(outReading,
                     {state.OutCounter, state.OutCounted, state.OutReadAtMs, state.PrevOutCounter,
                      state.PrevOutCounted, state.PrevOutReadAtMs, state.TotalOut, s.orgout,
                      s.outbyte, s.outbit, s.outbytepers, s.outbitpers, s.outWrapped, s.outReset,
                      s.outNoRate, QStringLiteral("outgoing traffic")},
                     state, messages);
    ComputeDirection(inReading,
                     {state.InCounter, state.InCounted, state.InReadAtMs, state.PrevInCounter,
                      state.PrevInCounted, state.PrevInReadAtMs, state.TotalIn, s.orgin, s.inbyte,
                      s.inbit, s.inbytepers, s.inbitpers, s.inWrapped, s.inReset, s.inNoRate,
                      QStringLiteral("incoming traffic")},
                     state, messages);

    const std::int64_t bandwidth = ParseInt64(state.Bandwidth);
    if (bandwidth > 0) {
        const std::int64_t percentBits = WrappingMul(WrappingAdd(s.inbitpers, s.outbitpers), 100);
        s.utilbit = static_cast<double>(percentBits) / static_cast<double>(bandwidth);
    }
    s.combinedbytepers = WrappingAdd(s.inbytepers, s.outbytepers);
    s.combinedbitpers = WrappingAdd(s.inbitpers, s.outbitpers);
    return s;
}

bool HasRates(const TMonitorState& state, const TTrafficSample& sample) {
    return (state.PrevOutCounted || state.PrevInCounted) && !(sample.outNoRate && sample.inNoRate);
}

}  // namespace pulsewell
