#include "core/polling/PollScheduler.h"

namespace pulsewell {

PollScheduler::PollScheduler(StatusBoard& board, TMonitorState& state, QObject* parent)
    : QObject(parent), board_(board), state_(state) {
    countdownTimer_.setInterval(1000);
    autoStartTimer_.setInterval(1000);
    autoStartTimer_.setSingleShot(true);
    connect(&autoStartTimer_, &QTimer::timeout, this, &PollScheduler::AutoStartTick);
    connect(&pollTimer_, &QTimer::timeout, this, &PollScheduler::PollTick);
    connect(&countdownTimer_, &QTimer::timeout, this, &PollScheduler::CountdownTick);
}

void PollScheduler::Start() {
    pollTimer_.setInterval(state_.IntervalSeconds * 1000);
    state_.Countdown = state_.IntervalSeconds;
    ShowCountdown();
    countdownTimer_.start();
    pollTimer_.start();
}

void PollScheduler::StopPolling() {
    pollTimer_.stop();
}

void PollScheduler::StopCountdown() {
    countdownTimer_.stop();
    state_.Countdown = 0;
}

void PollScheduler::RestartCountdown() {
    state_.Countdown = state_.IntervalSeconds;
    ShowCountdown();
    countdownTimer_.start();
}

void PollScheduler::ShowWaiting() {
    countdownTimer_.stop();
    board_.SetCountdown(QStringLiteral("Waiting for the device..."));
}

void PollScheduler::PollTick() {
    const int period = state_.IntervalSeconds * 1000;
    if (period != pollTimer_.interval()) {
        pollTimer_.start(period);
    }
    emit PollDue();
}

void PollScheduler::CountdownTick() {
    if (pollTimer_.isActive() && state_.Countdown > 0) {
        --state_.Countdown;
    }
    if (state_.Countdown == 1) {
        countdownTimer_.stop();
    }
    ShowCountdown();
}

void PollScheduler::AutoStartTick() {
    autoStartTimer_.stop();
    state_.Countdown = state_.IntervalSeconds;
    ShowCountdown();
    emit AutoStartDue();
}

void PollScheduler::ShowCountdown() {
    board_.SetCountdown(state_.Countdown == 1
                            ? QStringLiteral("Next poll in 1 second")
                            : QStringLiteral("Next poll in %1 seconds").arg(state_.Countdown));
}

void PollScheduler::ChooseInterval(int seconds) {
    if (seconds != state_.IntervalSeconds) {
        SelectInterval(seconds);
    }
}

void PollScheduler::SelectInterval(int seconds) {
    state_.ZeroCounters();
    state_.IntervalSeconds = seconds;
    if (!LogsAllowed(seconds)) {
        state_.WriteLog = false;
        state_.WriteDebugLog = false;
    }
    board_.Changed();
}

}  // namespace pulsewell
