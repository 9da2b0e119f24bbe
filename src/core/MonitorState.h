#pragma once

#include <QString>
#include <cstdint>

#include "core/DeviceTarget.h"
#include "core/ProgramDefaults.h"

namespace pulsewell {

// One counter reading as the polls keep it.
struct CounterReading {
    // Exactly as the agent sent it; parsed only when used.
    QString Text = QStringLiteral("0");
    // A 64-bit counter as the bit pattern of the unsigned number.
    std::int64_t Counter = 0;
    // Counter holds a reading: from the first one after a reset on, whatever
    // its value (a port at rest reads 0).
    bool Counted = false;
    // When it was taken, in a monotonic clock's milliseconds; a substituted
    // reading keeps the time of the one it repeats.
    std::int64_t ReadAtMs = 0;
};

// One direction's counter: this poll's reading and the one it is measured from.
struct CounterSide {
    CounterReading Now;
    CounterReading Previous;

    bool HasPrevious() const { return Previous.Counted; }
};

struct Totals {
    std::int64_t In = 0;
    std::int64_t Out = 0;
    std::int64_t Combined = 0;
};

// What the polls measure from and add up, kept from one poll to the next.
struct TrafficCounters {
    CounterSide Out;
    CounterSide In;
    // The counters hold 64-bit readings instead of 32-bit ones.
    bool Wide = false;
    Totals Total;

    // A poll begins: each side's reading becomes the one it measures from.
    void BeginPoll();
    // The resets that several commands share.
    void ZeroCounters();        // the four counters, none counted
    void ZeroReadings();        // both readings to "0"
    void ZeroTrafficFigures();  // both of the above, and the totals
};

// The pace of polling, the scheduler's part.
struct PollSchedule {
    int IntervalSeconds = defaults::kPollInterval;
    int Countdown = 0;
    // Never at intervals of 1 and 3 seconds.
    bool WriteLog = false;
    bool WriteDebugLog = false;
};

// Everything the monitor keeps from one poll to the next, in the parts that
// each job changes.
struct TMonitorState {
    DeviceTarget Device;
    // The chosen interface, which names the log files, and the one polled.
    QString InterfaceNumber = QStringLiteral("1");
    QString PolledInterface = QStringLiteral("1");
    QString Bandwidth = QStringLiteral("0");
    TrafficCounters Traffic;
    PollSchedule Schedule;
    bool ContinueWithZeroes = true;
    bool ShowBytes = false;
};

}  // namespace pulsewell
