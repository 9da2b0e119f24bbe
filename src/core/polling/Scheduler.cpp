#include "HostList.h"
#include "Monitor.h"
#include "ProgramFolder.h"

namespace pulsewell {

namespace {
const QString kIfSpeed = QStringLiteral("1.3.6.1.2.1.2.2.1.5.");
}  // namespace

void Monitor::StartPolling() {
    bool started = false;
    Guarded([this, &started] {
        if (keepHostList_) {
            hosts_ = HostList(ProgramFolder()).Remember(hosts_, state_.Host);
            view_.ShowHosts(hosts_, state_.Host);
        }

        graph_.ClearSeries();
        graph_.Graphupdate();
        view_.SetStatusText(MonitorView::kStatusPanel, QString());
        messages_.Clear();
        view_.SetCommunityReadOnly(true);
        view_.SetCommandEnabled(MonitorCommand::StartPolling, false);
        view_.SetCommandEnabled(MonitorCommand::FirstContact, false);

        narrowCountersOf_.clear();  // each run looks for the 64-bit counters again
        TargetDevice();
        if (reader_.QueryValue(kIfSpeed + state_.PolledInterface) == QStringLiteral("Failure")) {
            pollTimer_.stop();
            view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
            view_.SetCommandEnabled(MonitorCommand::FirstContact, true);
            view_.SetStatusText(MonitorView::kStatusPanel,
                                NoAnswerText(QStringLiteral("Failure contacting host!")));
            emit PollingFailed();
            return;
        }

        pollTimer_.setInterval(state_.IntervalSeconds * 1000);
        state_.Countdown = state_.IntervalSeconds;
        view_.SetStatusText(MonitorView::kCountdownPanel,
                            QStringLiteral("Next poll in %1 seconds").arg(state_.Countdown));
        countdownTimer_.start();
        pollTimer_.start();
        graph_.Graphupdate();
        started = true;
    });
    if (started) {
        emit PollingStarted();
        PollOnce();
    }
}

void Monitor::PollTick() {
    const int period = state_.IntervalSeconds * 1000;
    if (period != pollTimer_.interval()) {
        pollTimer_.start(period);
    }
    PollOnce();
}

void Monitor::CountdownTick() {
    if (pollTimer_.isActive() && state_.Countdown > 0) {
        --state_.Countdown;
    }
    if (state_.Countdown == 1) {
        countdownTimer_.stop();
        view_.SetStatusText(MonitorView::kCountdownPanel, QStringLiteral("Next poll in 1 second"));
        return;
    }
    view_.SetStatusText(MonitorView::kCountdownPanel,
                        QStringLiteral("Next poll in %1 seconds").arg(state_.Countdown));
}

void Monitor::AutoStartTick() {
    autoStartTimer_.stop();
    state_.Countdown = state_.IntervalSeconds;
    view_.SetStatusText(MonitorView::kCountdownPanel,
                        QStringLiteral("Next poll in %1 seconds").arg(state_.Countdown));
    StartPolling();
}

void Monitor::StopPolling() {
    view_.SetStatusText(MonitorView::kStatusPanel, QString());
    pollTimer_.stop();
    countdownTimer_.stop();
    state_.Countdown = 0;
    view_.SetCommunityReadOnly(false);
    view_.SetCommandEnabled(MonitorCommand::FirstContact, true);
    view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
    view_.SetCommandEnabled(MonitorCommand::ShowDeviceInfo, true);
    state_.ZeroCounters();
    state_.ZeroReadings();
    view_.SetStatusText(MonitorView::kStatusPanel, QStringLiteral("Polling stopped by user."));
    view_.SetStatusText(MonitorView::kCountdownPanel, QString());
    messages_.Append(TotalsLine());
    state_.ZeroTotals();
    ShowTotals();
}

QString Monitor::TotalsLine() const {
    return QStringLiteral("Total traffic transferred IN: %1 bytes; OUT: %2 bytes; combined: %3 bytes")
        .arg(state_.TotalIn)
        .arg(state_.TotalOut)
        .arg(state_.TotalCombined);
}

void Monitor::ChooseInterval(int seconds) {
    view_.ShowInterval(seconds);
    // Only a choice that changes the interval runs its handling, as a click
    // on the radio button that is already checked does nothing.
    if (seconds != state_.IntervalSeconds) {
        SelectInterval(seconds);
    }
}

void Monitor::SelectInterval(int seconds) {
    state_.ZeroCounters();
    state_.IntervalSeconds = seconds;
    const bool logsAllowed = seconds != 1 && seconds != 3;
    if (!logsAllowed) {
        state_.WriteLog = false;
        state_.WriteDebugLog = false;
    }
    view_.ShowLogSwitches(logsAllowed, state_.WriteLog, state_.WriteDebugLog);
}

void Monitor::SetWriteLog(bool on) {
    state_.WriteLog = on && state_.IntervalSeconds != 1 && state_.IntervalSeconds != 3;
}

void Monitor::SetWriteDebugLog(bool on) {
    state_.WriteDebugLog = on && state_.IntervalSeconds != 1 && state_.IntervalSeconds != 3;
}

}  // namespace pulsewell
