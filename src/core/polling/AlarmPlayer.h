#pragma once

#include <QString>
#include <exception>
#include <functional>

#include "DeviceWorker.h"
#include "MonitorState.h"
#include "MonitorView.h"
#include "TrafficSample.h"

namespace pulsewell {

// The threshold alarms: which sound a poll's utilization calls for, played on
// the device worker, and the memory of a file that could not be played, which
// is reported once and then left alone until it (or the alarm's choice of
// file) changes, so that a broken alarm does not end every poll. An alarm
// that goes off also tells the view, with the host and interface of the
// state, once per crossing of its threshold, whether its sound played or not.
class AlarmPlayer {
  public:
    AlarmPlayer(MonitorView& view, const TMonitorState& state, DeviceWorker& worker);

    // Plays what the sample calls for under the thresholds the options dialog
    // holds now; `done` follows on this thread when the sound has ended, at
    // once when none is due, with the OperationError that stopped it (a
    // threshold that is no number, a sound that could not play) or null.
    void Sound(const TTrafficSample& sample, std::function<void(std::exception_ptr)> done);

  private:
    // Plays one alarm's file; `unplayable` remembers the file that last failed.
    void Play(const QString& path, QString& unplayable,
              std::function<void(std::exception_ptr)> done);
    // `done` preceded by the alarm's notice, unless `noticed` says it was given.
    std::function<void(std::exception_ptr)> WithNotice(
        bool& noticed, AlarmLevel level, std::int64_t utilization, std::int32_t threshold,
        const QString& path, const QString& unplayable,
        std::function<void(std::exception_ptr)> done);

    MonitorView& view_;
    const TMonitorState& state_;
    DeviceWorker& worker_;
    QString unplayableHighSound_;
    QString unplayableLowSound_;
    bool highNoticed_ = false;
    bool lowNoticed_ = false;
};

}  // namespace pulsewell
