#include "core/polling/PollScheduler.h"

namespace pulsewell {

namespace {
constexpr int kSecondMs = 1000;
}  // namespace

PollScheduler::PollScheduler(StatusBoard& board, PollSchedule& schedule,
                             std::shared_ptr<PollClock> clock, QObject* parent)
    : QObject(parent), board_(board), schedule_(schedule) {
    UseClock(std::move(clock));
}

void PollScheduler::UseClock(std::shared_ptr<PollClock> clock) {
    clock_ = std::move(clock);
    pollTimer_ = clock_->MakeTimer(false, [this] { PollTick(); });
    countdownTimer_ = clock_->MakeTimer(false, [this] { CountdownTick(); });
    autoStartTimer_ = clock_->MakeTimer(true, [this] { AutoStartTick(); });
}

void PollScheduler::Start() {
    schedule_.Countdown = schedule_.IntervalSeconds;
    ShowCountdown();
    countdownTimer_->Start(kSecondMs);
    pollTimer_->Start(schedule_.IntervalSeconds * kSecondMs);
}

void PollScheduler::StopPolling() {
    pollTimer_->Stop();
}

void PollScheduler::StopCountdown() {
    countdownTimer_->Stop();
    schedule_.Countdown = 0;
}

void PollScheduler::RestartCountdown() {
    schedule_.Countdown = schedule_.IntervalSeconds;
    ShowCountdown();
    countdownTimer_->Start(kSecondMs);
}

void PollScheduler::ShowWaiting() {
    countdownTimer_->Stop();
    board_.SetCountdown(QStringLiteral("Waiting for the device..."));
}

void PollScheduler::ArmAutoStart() {
    autoStartTimer_->Start(kSecondMs);
}

void PollScheduler::PollTick() {
    const int period = schedule_.IntervalSeconds * kSecondMs;
    if (period != pollTimer_->Interval()) {
        pollTimer_->Start(period);
    }
    emit PollDue();
}

void PollScheduler::CountdownTick() {
    if (pollTimer_->IsActive() && schedule_.Countdown > 0) {
        --schedule_.Countdown;
    }
    if (schedule_.Countdown == 1) {
        countdownTimer_->Stop();
    }
    ShowCountdown();
}

void PollScheduler::AutoStartTick() {
    autoStartTimer_->Stop();
    schedule_.Countdown = schedule_.IntervalSeconds;
    ShowCountdown();
    emit AutoStartDue();
}

void PollScheduler::ShowCountdown() {
    board_.SetCountdown(schedule_.Countdown == 1
                            ? QStringLiteral("Next poll in 1 second")
                            : QStringLiteral("Next poll in %1 seconds").arg(schedule_.Countdown));
}

void PollScheduler::ChooseInterval(int seconds) {
    if (seconds != schedule_.IntervalSeconds) {
        SelectInterval(seconds);
    }
}

void PollScheduler::SelectInterval(int seconds) {
    schedule_.IntervalSeconds = seconds;
    emit IntervalSelected();
    if (!LogsAllowed(seconds)) {
        schedule_.WriteLog = false;
        schedule_.WriteDebugLog = false;
    }
    board_.Changed();
}

}  // namespace pulsewell
