#pragma once

#include <QObject>
#include <QTimer>

#include "core/MonitorState.h"
#include "core/ProgramDefaults.h"
#include "core/StatusBoard.h"

namespace pulsewell {

// The three timers of polling (the poll, the countdown in the status bar and
// the start a second after a start profile), the interval choice and the
// rule that no logs are written at intervals of 1 and 3 seconds.
class PollScheduler : public QObject {
    Q_OBJECT
  public:
    static constexpr auto& kIntervals = defaults::kPollIntervals;

    PollScheduler(StatusBoard& board, TMonitorState& state, QObject* parent = nullptr);

    static bool LogsAllowed(int seconds) { return seconds != 1 && seconds != 3; }

    bool IsPolling() const { return pollTimer_.isActive(); }
    bool IsCountingDown() const { return countdownTimer_.isActive(); }
    bool IsAutoStartArmed() const { return autoStartTimer_.isActive(); }
    int PollPeriodMs() const { return pollTimer_.interval(); }

    // The poll timer at the chosen interval, and the countdown from it.
    void Start();
    // The poll and countdown timers; the countdown panel keeps its text.
    void StopPolling();
    void StopCountdown();
    // A poll begins: the countdown starts again from the interval.
    void RestartCountdown();
    // The poll timer fell due while a poll still waits for the device: the
    // next one follows that poll, which the countdown says.
    void ShowWaiting();
    void ArmAutoStart() { autoStartTimer_.start(); }
    void DisarmAutoStart() { autoStartTimer_.stop(); }

    void SelectInterval(int seconds);
    // The user picks an interval; only a change runs its handling, as a click
    // on the radio button that is already checked does nothing.
    void ChooseInterval(int seconds);
    void SetWriteLog(bool on) { state_.WriteLog = on && LogsAllowed(state_.IntervalSeconds); }
    void SetWriteDebugLog(bool on) {
        state_.WriteDebugLog = on && LogsAllowed(state_.IntervalSeconds);
    }

    // The timers' ticks; public so that a caller that drives time itself can fire them.
    void PollTick();
    void CountdownTick();
    void AutoStartTick();

  signals:
    void PollDue();
    void AutoStartDue();

  private:
    void ShowCountdown();

    StatusBoard& board_;
    TMonitorState& state_;
    QTimer pollTimer_;
    QTimer countdownTimer_;
    QTimer autoStartTimer_;
};

}  // namespace pulsewell
