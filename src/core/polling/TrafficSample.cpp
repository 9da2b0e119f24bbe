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
    const char* wrapMessage;
};

void ComputeDirection(std::int64_t reading, const Direction& d, TMonitorState& state,
                      MessageList& messages) {
    d.org = reading < 0 ? WrappingAdd(reading, kCounterModulus) : reading;
    d.counter = d.org;
    if (d.previousCounter > 0) {
        std::int64_t diff = WrappingSub(d.org, d.previousCounter);
        if (diff < 0) {
            diff = WrappingAdd(diff, kCounterModulus);
            d.wrapped = true;
            messages.Append(QString::fromLatin1(d.wrapMessage));
        }
        d.byteDiff = diff;
    }
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
    const std::int64_t outReading = ParseInt64(state.OutReading);
    const std::int64_t inReading = ParseInt64(state.InReading);

    TTrafficSample s;
    ComputeDirection(outReading,
                     {state.OutCounter, state.PrevOutCounter, state.TotalOut, s.orgout, s.outbyte,
                      s.outbit, s.outbytepers, s.outbitpers, s.outWrapped,
                      "Integer wrap around occured for outgoing traffic"},
                     state, messages);
    ComputeDirection(inReading,
                     {state.InCounter, state.PrevInCounter, state.TotalIn, s.orgin, s.inbyte,
                      s.inbit, s.inbytepers, s.inbitpers, s.inWrapped,
                      "Integer wrap around occured for incoming traffic"},
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
