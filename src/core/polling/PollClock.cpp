#include "core/polling/PollClock.h"

#include <QTimer>
#include <chrono>

namespace pulsewell {

namespace {

class QtPollTimer : public PollTimer {
  public:
    QtPollTimer(bool singleShot, std::function<void()> due) {
        timer_.setSingleShot(singleShot);
        QObject::connect(&timer_, &QTimer::timeout, std::move(due));
    }
    void Start(int ms) override { timer_.start(ms); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }
    int Interval() const override { return timer_.interval(); }

  private:
    QTimer timer_;
};

class SteadyPollClock : public PollClock {
  public:
    std::int64_t NowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    std::unique_ptr<PollTimer> MakeTimer(bool singleShot, std::function<void()> due) override {
        return std::make_unique<QtPollTimer>(singleShot, std::move(due));
    }
};

}  // namespace

std::shared_ptr<PollClock> SystemPollClock() {
    static const auto clock = std::make_shared<SteadyPollClock>();
    return clock;
}

}  // namespace pulsewell
