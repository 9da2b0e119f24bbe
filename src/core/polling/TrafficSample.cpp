#include "core/polling/TrafficSample.h"

#include <cstdint>
#include <limits>

#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"

namespace pulsewell {

namespace {

// One side's figures in a sample.
struct SideFigures {
    std::int64_t org = 0;
    std::int64_t bytes = 0;
    std::int64_t bits = 0;
    std::int64_t bytesPerSecond = 0;
    std::int64_t bitsPerSecond = 0;
    bool wrapped = false;
    bool reset = false;
    bool noRate = false;
};

// A reading as the counter it stands for: 64-bit ones as the bit pattern of
// their unsigned value, 32-bit ones as their signed text.
std::int64_t ParseReading(const QString& text, bool wide) {
    return wide ? static_cast<std::int64_t>(ParseUInt64(text)) : ParseInt64(text);
}

// Measures `reading` against the side's previous one and moves the side on:
// its counter, whether it counts and, where the earlier reading stays the
// base, its time. `traffic` names the side in messages.
SideFigures MeasureSide(std::int64_t reading, CounterSide& side, std::int64_t& total, bool wide,
                        int intervalSeconds, const QString& traffic, QStringList& messages) {
    SideFigures f;
    CounterReading& now = side.Now;
    const CounterReading& before = side.Previous;
    f.org = !wide && reading < 0 ? WrappingAdd(reading, kCounterModulus) : reading;
    const std::int64_t elapsed = now.ReadAtMs - before.ReadAtMs;
    if (elapsed == 0) {
        // The reading before stood in for a missing one: nothing new, also no base.
        now.Counter = before.Counter;
        now.Counted = before.Counted;
        return f;
    }
    std::int64_t intervals = 0;
    if (side.HasPrevious()) {
        intervals = RoundHalfEven(static_cast<double>(elapsed) /
                                  (static_cast<double>(intervalSeconds) * 1000.0));
        if (intervals <= 0) {
            // The earlier reading stays the base, so this traffic counts next time.
            now.Counter = before.Counter;
            now.Counted = true;
            now.ReadAtMs = before.ReadAtMs;
            f.noRate = true;
            messages.append(QStringLiteral("Reading came less than half an interval after the "
                                           "one before: no rate for %1 in this poll")
                                .arg(traffic));
            return f;
        }
        const CounterStep step = StepBetween(before.Counter, f.org, wide);
        if (step.fell || step.leapt) {
            f.reset = true;
            messages.append(step.fell ? QStringLiteral("64-bit counter fell for %1 (device "
                                                       "restart or counter reset), counted as 0")
                                            .arg(traffic)
                                      : QStringLiteral("64-bit counter leapt by 2^63 or more for "
                                                       "%1 (a glitch of the agent), counted as 0")
                                            .arg(traffic));
        } else {
            if (step.wrapped) {
                f.wrapped = true;
                messages.append(QStringLiteral("Integer wrap around occured for ") + traffic);
            }
            f.bytes = step.octets;
        }
    }
    now.Counter = f.org;
    // A 32-bit reading beyond what 32 bits hold is no counter to measure from.
    now.Counted = wide || f.org >= 0;
    f.bits = WrappingMul(f.bytes, 8);
    total = WrappingAdd(total, f.bytes);
    const double seconds = static_cast<double>(intervalSeconds) * intervals;
    if (f.bytes > 0) {
        f.bytesPerSecond = RoundHalfEven(static_cast<double>(f.bytes) / seconds);
    }
    if (f.bits > 0) {
        f.bitsPerSecond = RoundHalfEven(static_cast<double>(f.bits) / seconds);
    }
    return f;
}

}  // namespace

SampleStep ComputeSample(const TrafficCounters& counters, int intervalSeconds) {
    const std::int64_t outReading = ParseReading(counters.Out.Now.Text, counters.Wide);
    const std::int64_t inReading = ParseReading(counters.In.Now.Text, counters.Wide);

    SampleStep step{{}, counters, {}};
    TrafficCounters& c = step.counters;
    const SideFigures out = MeasureSide(outReading, c.Out, c.Total.Out, c.Wide, intervalSeconds,
                                        QStringLiteral("outgoing traffic"), step.messages);
    const SideFigures in = MeasureSide(inReading, c.In, c.Total.In, c.Wide, intervalSeconds,
                                       QStringLiteral("incoming traffic"), step.messages);
    c.Total.Combined = WrappingAdd(c.Total.In, c.Total.Out);

    TTrafficSample& s = step.sample;
    s.orgout = out.org;
    s.outbyte = out.bytes;
    s.outbit = out.bits;
    s.outbytepers = out.bytesPerSecond;
    s.outbitpers = out.bitsPerSecond;
    s.outWrapped = out.wrapped;
    s.outReset = out.reset;
    s.outNoRate = out.noRate;
    s.orgin = in.org;
    s.inbyte = in.bytes;
    s.inbit = in.bits;
    s.inbytepers = in.bytesPerSecond;
    s.inbitpers = in.bitsPerSecond;
    s.inWrapped = in.wrapped;
    s.inReset = in.reset;
    s.inNoRate = in.noRate;
    s.combinedbytepers = WrappingAdd(s.inbytepers, s.outbytepers);
    s.combinedbitpers = WrappingAdd(s.inbitpers, s.outbitpers);
    return step;
}

double Utilization(const TTrafficSample& sample, const QString& bandwidth) {
    const std::int64_t bits = ParseInt64(bandwidth);
    if (bits <= 0) {
        return 0.0;
    }
    const std::int64_t percentBits =
        WrappingMul(WrappingAdd(sample.inbitpers, sample.outbitpers), 100);
    return static_cast<double>(percentBits) / static_cast<double>(bits);
}

bool HasRates(const TrafficCounters& counters, const TTrafficSample& sample) {
    return (counters.Out.HasPrevious() || counters.In.HasPrevious()) &&
           !(sample.outNoRate && sample.inNoRate);
}

}  // namespace pulsewell
