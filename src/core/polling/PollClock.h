#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace pulsewell {

// A timer of polling; each time it falls due it runs the tick it was made with.
class PollTimer {
  public:
    virtual ~PollTimer() = default;
    // Due `ms` from now, and every `ms` after unless it is single-shot; a
    // running timer starts over.
    virtual void Start(int ms) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    // The period of the last Start, 0 before the first.
    virtual int Interval() const = 0;
};

// The time polling runs on: the clock that times the counter readings and
// the timers that pace the polls. The program's is the steady clock with
// Qt's timers; a test steps one of its own.
class PollClock {
  public:
    virtual ~PollClock() = default;
    // Milliseconds on a clock that no adjustment moves; read on the device
    // worker as each counter's answer arrives.
    virtual std::int64_t NowMs() = 0;
    virtual std::unique_ptr<PollTimer> MakeTimer(bool singleShot, std::function<void()> due) = 0;
};

std::shared_ptr<PollClock> SystemPollClock();

}  // namespace pulsewell
