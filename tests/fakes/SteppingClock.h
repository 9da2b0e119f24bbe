#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Monitor.h"
#include "core/polling/PollClock.h"

namespace pulsewell::test {

// Time that moves only when told: Advance() runs the timers that fall due on
// the way, in order of their times. Each reading of the clock can also move
// the readings on by a step of their own, ahead of the timers.
class SteppingClock : public PollClock {
  public:
    explicit SteppingClock(std::function<std::int64_t()> step = {}) : step_(std::move(step)) {}

    std::int64_t NowMs() override {
        if (step_) {
            ahead_ += step_();
        }
        return now_ + ahead_;
    }

    std::unique_ptr<PollTimer> MakeTimer(bool singleShot, std::function<void()> due) override {
        return std::make_unique<Timer>(*this, singleShot, std::move(due));
    }

    void Advance(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* timer : timers_) {
                if (timer->active_ && timer->dueAt_ <= end &&
                    (!next || timer->dueAt_ < next->dueAt_)) {
                    next = timer;
                }
            }
            if (!next) {
                break;
            }
            now_ = next->dueAt_;
            if (next->singleShot_) {
                next->active_ = false;
            } else {
                next->dueAt_ += next->interval_;
            }
            next->due_();
        }
        now_ = end;
    }

  private:
    class Timer : public PollTimer {
      public:
        Timer(SteppingClock& clock, bool singleShot, std::function<void()> due)
            : clock_(clock), singleShot_(singleShot), due_(std::move(due)) {
            clock_.timers_.push_back(this);
        }
        ~Timer() override { std::erase(clock_.timers_, this); }

        void Start(int ms) override {
            interval_ = ms;
            dueAt_ = clock_.now_ + ms;
            active_ = true;
        }
        void Stop() override { active_ = false; }
        bool IsActive() const override { return active_; }
        int Interval() const override { return interval_; }

      private:
        friend class SteppingClock;
        SteppingClock& clock_;
        const bool singleShot_;
        const std::function<void()> due_;
        int interval_ = 0;
        std::int64_t dueAt_ = 0;
        bool active_ = false;
    };

    std::function<std::int64_t()> step_;
    std::int64_t now_ = 0;
    // How far the steps have moved the readings past the timers' time.
    std::int64_t ahead_ = 0;
    std::vector<Timer*> timers_;
};

// For polls run back to back: the readings' clock moves half an interval a
// counter read, so each side's readings fall an interval apart as on time.
// The monitor's timers then run when the clock is advanced.
inline std::shared_ptr<SteppingClock> UseSteppingClock(Monitor& monitor) {
    auto clock = std::make_shared<SteppingClock>(
        [&monitor] { return monitor.State().Schedule.IntervalSeconds * 500; });
    monitor.UseClock(clock);
    return clock;
}

}  // namespace pulsewell::test
