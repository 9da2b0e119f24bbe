#include "TrafficSample.h"

#include "NumberText.h"
#include "Rounding.h"

namespace pulsewell {

namespace {

struct Direction {
    std::int64_t& counter;
    std::int64_t previousCounter;
    std::int64_t& total;
    std::int64_t& org;
    std::int64_t& byteDiff;
    std::int64_t& bitDiff;
    std::int64_t& bytesPerSecond;
    std::int64_t& bitsPerSecond;
    bool& wrapped;
    bool& reset;
    const char* wrapMessage;
    const char* resetMessage;
};

// A reading as the counter it stands for: 64-bit ones as the bit pattern of
// their unsigned value, 32-bit ones as their signed text.
std::int64_t ParseReading(const QString& text, bool wide) {
    return wide ? static_cast<std::int64_t>(ParseUInt64(text)) : ParseInt64(text);
}

void NarrowDifference(std::int64_t reading, const Direction& d, MessageList& messages) {
    d.org = reading < 0 ? WrappingAdd(reading, kCounterModulus) : reading;
    if (d.previousCounter > 0) {
        std::int64_t diff = WrappingSub(d.org, d.previousCounter);
        if (diff < 0) {
            diff = WrappingAdd(diff, kCounterModulus);
            d.wrapped = true;
            messages.Append(QString::fromLatin1(d.wrapMessage));
        }
        d.byteDiff = diff;
    }
}

// 64 bits do not wrap in any device's lifetime: a counter that falls was
// restarted, and the octets before the restart are unknown.
void WideDifference(std::int64_t reading, const Direction& d, MessageList& messages) {
    d.org = reading;
    if (d.previousCounter == 0) {
        return;
    }
    const auto now = static_cast<std::uint64_t>(reading);
    const auto before = static_cast<std::uint64_t>(d.previousCounter);
    if (now < before) {
        d.reset = true;
        messages.Append(QString::fromLatin1(d.resetMessage));
        return;
    }
    d.byteDiff = static_cast<std::int64_t>(now - before);
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
    const double seconds = state.IntervalSeconds;
    if (d.byteDiff > 0) {
        d.bytesPerSecond = RoundHalfEven(static_cast<double>(d.byteDiff) / seconds);
    }
    if (d.bitDiff > 0) {
        d.bitsPerSecond = RoundHalfEven(static_cast<double>(d.bitDiff) / seconds);
    }
}

}  // namespace

TTrafficSample ComputeSample(TMonitorState& state, MessageList& messages) {
    const std::int64_t outReading = ParseReading(state.OutReading, state.WideCounters);
    const std::int64_t inReading = ParseReading(state.InReading, state.WideCounters);

    TTrafficSample s;
    ComputeDirection(outReading,
                     {state.OutCounter, state.PrevOutCounter, state.TotalOut, s.orgout, s.outbyte,
                      s.outbit, s.outbytepers, s.outbitpers, s.outWrapped, s.outReset,
                      "Integer wrap around occured for outgoing traffic",
                      "64-bit counter fell for outgoing traffic (device restart or counter "
                      "reset), counted as 0"},
                     state, messages);
    ComputeDirection(inReading,
                     {state.InCounter, state.PrevInCounter, state.TotalIn, s.orgin, s.inbyte,
                      s.inbit, s.inbytepers, s.inbitpers, s.inWrapped, s.inReset,
                      "Integer wrap around occured for incoming traffic",
                      "64-bit counter fell for incoming traffic (device restart or counter "
                      "reset), counted as 0"},
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
