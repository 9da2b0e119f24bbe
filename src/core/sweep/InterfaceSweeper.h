#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

#include "core/DeviceTarget.h"
#include "core/device/DeviceWorker.h"
#include "core/polling/HistoryRecorder.h"
#include "core/sweep/SweepMinutes.h"
#include "core/sweep/SweepReading.h"
#include "core/sweep/SweepResult.h"
#include "core/sweep/SweepTable.h"

namespace pulsewell {

// Every interface of one device at an interval: each sweep is one job on the
// device worker, and its result comes back as SweepEnded. A sweep that takes
// longer than the interval is followed by the next at once, never by two.
// The worker's Abandon() (Stop, a host change, the program's end) calls off
// the sweep in flight; sweeping goes on at the next interval. Every sweep's
// rates go to the history file a minute at a time, as the settings say; Stop,
// another target and the end keep the minute as far as it got.
class InterfaceSweeper : public QObject {
    Q_OBJECT
  public:
    explicit InterfaceSweeper(DeviceWorker& worker, QObject* parent = nullptr);
    ~InterfaceSweeper() override;

    // Another host or community forgets every interface: true then.
    bool SetTarget(const DeviceTarget& target);
    // Percent at which a row's utilization raises an event.
    void SetHighThreshold(double percent) { table_.SetHighThreshold(percent); }
    // Sweeps now and then every `seconds`.
    void Start(int seconds);
    // No sweep after this; the one in flight ends at its next request and
    // its result is dropped.
    void Stop();
    bool IsRunning() const { return running_; }

  signals:
    void SweepEnded(const pulsewell::SweepResult& result);
    // The history file could not be written; said once until it can again.
    void HistoryFailed(const QString& problem);

  private:
    void Sweep();
    void Ended(const SweepReading& reading);
    void SweepDone();
    void CallOff();

    DeviceWorker& worker_;
    DeviceTarget target_;
    SweepTable table_;
    HistoryRecorder recorder_;
    SweepMinutes minutes_;
    QTimer next_;
    int intervalMs_ = 6000;
    bool running_ = false;
    bool inFlight_ = false;
    // Tells the job in flight to end; a fresh one for every sweep.
    std::shared_ptr<std::atomic<bool>> cancelled_;
    std::int64_t startedMs_ = 0;
    // Whether the history is recorded, as the settings said in that minute.
    bool recording_ = false;
    std::int64_t recordingCheckedMs_ = -1;
    int generation_ = 0;
};

}  // namespace pulsewell
