#include "TrafficSample.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "NumberText.h"
#include "Rounding.h"

namespace pulsewell {

namespace {

struct Direction {
    std::int64_t& counter;
    std::int64_t previousCounter;
    // Intervals since the reading previousCounter came from.
    std::int64_t intervals;
    std::int64_t& total;
    std::int64_t& org;
    std::int64_t& byteDiff;
    std::int64_t& bitDiff;
    std::int64_t& bytesPerSecond;
    std::int64_t& bitsPerSecond;
    bool& wrapped;
    bool& reset;
    QString traffic;  // "outgoing traffic", "incoming traffic"
};

// Whole intervals from one reading to the next as the polls fell due: a poll
// on time spans one, a poll after missing readings one for each.
std::int64_t IntervalsBetween(std::int64_t fromMs, std::int64_t toMs, int seconds) {
    return std::max<std::int64_t>(
        1, RoundHalfEven(static_cast<double>(toMs - fromMs) / (seconds * 1000.0)));
}

// A reading as the counter it stands for: 64-bit ones as the bit pattern of
// their unsigned value, 32-bit ones as their signed text.
std::int64_t ParseReading(const QString& text, bool wide) {
    return wide ? static_cast<std::int64_t>(ParseUInt64(text)) : ParseInt64(text);
}

void NarrowDifference(std::int64_t reading, const Direction& d, MessageList& messages) {
    d.org = reading < 0 ? WrappingAdd(reading, kCounterModulus) : reading;
    if (d.previousCounter > 0) {
        const CounterStep step = StepBetween(d.previousCounter, d.org, false);
        if (step.wrapped) {
            d.wrapped = true;
            messages.Append(QStringLiteral("Integer wrap around occured for ") + d.traffic);
        }
        d.byteDiff = step.octets;
    }
}

void WideDifference(std::int64_t reading, const Direction& d, MessageList& messages) {
    d.org = reading;
    if (d.previousCounter == 0) {
        return;
    }
    const CounterStep step = StepBetween(d.previousCounter, reading, true);
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
    if (state.WideCounters) {
        WideDifference(reading, d, messages);
    } else {
        NarrowDifference(reading, d, messages);
    }
    d.counter = d.org;
    d.bitDiff = WrappingMul(d.byteDiff, 8);
    d.total = WrappingAdd(d.total, d.byteDiff);
    state.TotalCombined = WrappingAdd(state.TotalIn, state.TotalOut);
    const double seconds = static_cast<double>(state.IntervalSeconds) * d.intervals;
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

    const int seconds = state.IntervalSeconds;
    TTrafficSample s;
    ComputeDirection(outReading,
                     {state.OutCounter, state.PrevOutCounter,
                      IntervalsBetween(state.PrevOutReadAtMs, state.OutReadAtMs, seconds),
                      state.TotalOut, s.orgout, s.outbyte, s.outbit, s.outbytepers, s.outbitpers,
                      s.outWrapped, s.outReset, QStringLiteral("outgoing traffic")},
                     state, messages);
    ComputeDirection(inReading,
                     {state.InCounter, state.PrevInCounter,
                      IntervalsBetween(state.PrevInReadAtMs, state.InReadAtMs, seconds),
                      state.TotalIn, s.orgin, s.inbyte, s.inbit, s.inbytepers, s.inbitpers,
                      s.inWrapped, s.inReset, QStringLiteral("incoming traffic")},
                     state, messages);

    const std::int64_t bandwidth = ParseInt64(state.Bandwidth);
    if (bandwidth > 0) {
        const std::int64_t percentBits =
            WrappingMul(WrappingAdd(s.inbitpers, s.outbitpers), 100);
        s.utilbit = static_cast<double>(percentBits) / static_cast<double>(bandwidth);
    }
    s.combinedbytepers = WrappingAdd(s.inbytepers, s.outbytepers);
    s.combinedbitpers = WrappingAdd(s.inbitpers, s.outbitpers);
    return s;
}

}  // namespace pulsewell
