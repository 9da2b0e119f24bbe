#pragma once

#include <QString>
#include <cstdint>

namespace pulsewell {

// Everything the main window keeps from one poll to the next. Readings stay
// text exactly as the agent sent them; they are parsed only when used.
struct TMonitorState {
    QString Host;
    QString Community = QStringLiteral("cobalt");
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

    std::int64_t TotalIn = 0;
    std::int64_t TotalOut = 0;
    std::int64_t TotalCombined = 0;

    int IntervalSeconds = 6;
    int Countdown = 0;

    bool WriteLog = false;
    bool WriteDebugLog = false;
    bool ContinueWithZeroes = true;
    bool ShowBytes = false;

    // The resets that several commands share.
    void ZeroCounters();             // the four counters
    void ZeroReadings();             // both readings to "0"
    void ZeroTotals();               // the three totals
    void ZeroTrafficFigures();       // all of the above
};

}  // namespace pulsewell
