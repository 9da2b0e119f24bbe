#pragma once

#include <QString>
#include <cstdint>

#include "core/ProgramDefaults.h"
#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"

namespace pulsewell {

// Everything the main window keeps from one poll to the next. Readings stay
// text exactly as the agent sent them; they are parsed only when used.
struct TMonitorState {
    QString Host;
    QString Community = defaults::Community();
    QString InterfaceNumber = QStringLiteral("1");
    QString PolledInterface = QStringLiteral("1");
    QString Bandwidth = QStringLiteral("0");

    QString OutReading = QStringLiteral("0");
    QString InReading = QStringLiteral("0");
    QString PrevOutReading;
    QString PrevInReading;

    std::int64_t OutCounter = 0;
    std::int64_t InCounter = 0;
    std::int64_t PrevOutCounter = 0;
    std::int64_t PrevInCounter = 0;
    // Whether each of the four counters holds a reading: from the first one
    // after a reset on, whatever its value (a port at rest reads 0).
    bool OutCounted = false;
    bool InCounted = false;
    bool PrevOutCounted = false;
    bool PrevInCounted = false;
    // When the readings behind the four counters were taken, in a monotonic
    // clock's milliseconds; a substituted reading keeps the time of the one
    // it repeats.
    std::int64_t OutReadAtMs = 0;
    std::int64_t InReadAtMs = 0;
    std::int64_t PrevOutReadAtMs = 0;
    std::int64_t PrevInReadAtMs = 0;
    // The four counters hold 64-bit readings, as the bit pattern of the
    // unsigned number, instead of 32-bit ones.
    bool WideCounters = false;

    std::int64_t TotalIn = 0;
    std::int64_t TotalOut = 0;
    std::int64_t TotalCombined = 0;

    int IntervalSeconds = defaults::kPollInterval;
    int Countdown = 0;

    bool WriteLog = false;
    bool WriteDebugLog = false;
    bool ContinueWithZeroes = true;
    bool ShowBytes = false;
    SnmpVersion Version = SnmpVersion::V1;
    // Who asks when Version is SNMPv3.
    SnmpV3Security Security;

    // The resets that several commands share.
    void ZeroCounters();        // the four counters, none counted
    void ZeroReadings();        // both readings to "0"
    void ZeroTotals();          // the three totals
    void ZeroTrafficFigures();  // all of the above
};

}  // namespace pulsewell
