#pragma once

#include <cstdint>
#include <memory>

#include "Monitor.h"

namespace pulsewell::test {

// For a test that runs a monitor's polls back to back: the readings' clock
// moves half the interval at each counter read, so that each side's readings
// fall one interval apart, as those of polls on time do.
inline void UseSteppingClock(Monitor& monitor) {
    auto ms = std::make_shared<std::int64_t>(0);
    monitor.UseClock([&monitor, ms] { return *ms += monitor.State().IntervalSeconds * 500; });
}

}  // namespace pulsewell::test
