#include "core/MonitorState.h"

namespace pulsewell {

void TrafficCounters::BeginPoll() {
    Out.Previous = Out.Now;
    In.Previous = In.Now;
}

void TrafficCounters::ZeroCounters() {
    for (CounterSide* side : {&Out, &In}) {
        for (CounterReading* reading : {&side->Now, &side->Previous}) {
            reading->Counter = 0;
            reading->Counted = false;
        }
    }
}

void TrafficCounters::ZeroReadings() {
    Out.Now.Text = QStringLiteral("0");
    In.Now.Text = QStringLiteral("0");
}

void TrafficCounters::ZeroTrafficFigures() {
    ZeroCounters();
    ZeroReadings();
    Total = Totals{};
}

}  // namespace pulsewell
