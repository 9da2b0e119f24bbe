#pragma once

#include <QObject>
#include <memory>

#include "core/MonitorState.h"
#include "core/ProgramDefaults.h"
#include "core/StatusBoard.h"
#include "core/polling/PollClock.h"

namespace pulsewell {

// The three timers of polling (the poll, the countdown in the status bar and
// the start a second after a start profile), the interval choice and the
// rule that no logs are written at intervals of 1 and 3 seconds. The timers
// run on the clock it is given.
class PollScheduler : public QObject {
    Q_OBJECT
  public:
    static constexpr auto& kIntervals = defaults::kPollIntervals;

    PollScheduler(StatusBoard& board, PollSchedule& schedule,
                  std::shared_ptr<PollClock> clock = SystemPollClock(), QObject* parent = nullptr);
    // The timers start anew, stopped, on `clock`.
    void UseClock(std::shared_ptr<PollClock> clock);

    static bool LogsAllowed(int seconds) { return seconds != 1 && seconds != 3; }

    bool IsPolling() const { return pollTimer_->IsActive(); }
    bool IsCountingDown() const { return countdownTimer_->IsActive(); }
    bool IsAutoStartArmed() const { return autoStartTimer_->IsActive(); }
    int PollPeriodMs() const { return pollTimer_->Interval(); }

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
    void ArmAutoStart();
    void DisarmAutoStart() { autoStartTimer_->Stop(); }

    void SelectInterval(int seconds);
    // The user picks an interval; only a change runs its handling, as a click
    // on the radio button that is already checked does nothing.
    void ChooseInterval(int seconds);
    void SetWriteLog(bool on) { schedule_.WriteLog = on && LogsAllowed(schedule_.IntervalSeconds); }
    void SetWriteDebugLog(bool on) {
        schedule_.WriteDebugLog = on && LogsAllowed(schedule_.IntervalSeconds);
    }

    // The timers' ticks; public so that a caller that drives time itself can fire them.
    void PollTick();
    void CountdownTick();
    void AutoStartTick();

  signals:
    void PollDue();
    void AutoStartDue();
    // Another interval was chosen: counters read at the old one are no base.
    void IntervalSelected();

  private:
    void ShowCountdown();

    StatusBoard& board_;
    PollSchedule& schedule_;
    std::shared_ptr<PollClock> clock_;
    std::unique_ptr<PollTimer> pollTimer_;
    std::unique_ptr<PollTimer> countdownTimer_;
    std::unique_ptr<PollTimer> autoStartTimer_;
};

}  // namespace pulsewell
