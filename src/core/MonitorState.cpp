#include "core/MonitorState.h"

namespace pulsewell {

void TMonitorState::ZeroCounters() {
    OutCounter = 0;
    InCounter = 0;
    PrevOutCounter = 0;
    PrevInCounter = 0;
    OutCounted = false;
    InCounted = false;
    PrevOutCounted = false;
    PrevInCounted = false;
}

void TMonitorState::ZeroReadings() {
    OutReading = QStringLiteral("0");
    InReading = QStringLiteral("0");
}

void TMonitorState::ZeroTotals() {
    TotalIn = 0;
    TotalOut = 0;
    TotalCombined = 0;
}

void TMonitorState::ZeroTrafficFigures() {
    ZeroCounters();
    ZeroReadings();
    ZeroTotals();
}

}  // namespace pulsewell
