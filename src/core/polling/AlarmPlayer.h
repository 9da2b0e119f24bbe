#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "DeviceWorker.h"
#include "MonitorView.h"
#include "TrafficSample.h"

namespace pulsewell {

// The threshold alarms: which sound a poll's utilization calls for, played on
// the device worker, and the memory of a file that could not be played, which
// is reported once and then left alone until it (or the alarm's choice of
// file) changes, and of a threshold that is no number, reported once and
// skipped until it is one. A broken alarm never ends a poll.
class AlarmPlayer {
  public:
    AlarmPlayer(MonitorView& view, DeviceWorker& worker);

    // Plays what the sample calls for under the thresholds the options dialog
    // holds now; `done` follows on this thread when the sound has ended, at
    // once when none is due, also after an error box.
    void Sound(const TTrafficSample& sample, std::function<void()> done);

  private:
    // The threshold's number; none, and `bad` set, for a text that is none.
    std::optional<std::int32_t> Threshold(const QString& text, bool& bad);
    // Plays one alarm's file; `unplayable` remembers the file that last failed.
    void Play(const QString& path, QString& unplayable, std::function<void()> done);

    MonitorView& view_;
    DeviceWorker& worker_;
    QString unplayableHighSound_;
    QString unplayableLowSound_;
    QStringList unusableThresholds_;
};

}  // namespace pulsewell
