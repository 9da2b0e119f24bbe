#pragma once

#include <memory>

#include "core/Monitor.h"

namespace pulsewell::test {

// For polls run back to back: the readings' clock moves half an interval a
// counter read, so each side's readings fall an interval apart as on time.
inline void UseSteppingClock(Monitor& monitor) {
    auto ms = std::make_shared<std::int64_t>(0);
    monitor.UseClock([&monitor, ms] { return *ms += monitor.State().IntervalSeconds * 500; });
}

}  // namespace pulsewell::test
