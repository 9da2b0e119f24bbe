#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>

#include "core/AlarmSettings.h"
#include "core/OperationError.h"
#include "core/device/DeviceWorker.h"
#include "core/polling/AlarmNotice.h"
#include "core/polling/TrafficSample.h"

namespace pulsewell {

// The threshold alarms: which sound a poll's utilization calls for, played on
// the device worker, and the memory of a file that could not be played, which
// is reported once and then left alone until it (or the alarm's choice of
// file) changes, and of a threshold that is no number, reported once and
// skipped until it is one. A broken alarm never ends a poll. An alarm that
// goes off also gives a notice, with the poll's host and interface, once per
// crossing of its threshold, whether its sound played or not.
class AlarmPlayer {
  public:
    AlarmPlayer(ErrorReporter& errors, const AlarmSettingsSource& settings, DeviceWorker& worker);

    // Plays what the sample calls for under the thresholds the options dialog
    // holds now; `done` follows on this thread when the sound has ended, at
    // once when none is due, also after an error box.
    void Sound(const TTrafficSample& sample, const QString& host, const QString& interface,
               std::function<void()> done);
    // Told each time a poll sets off an alarm.
    void OnAlarm(std::function<void()> alarmed) { alarmed_ = std::move(alarmed); }
    // Told each notice of an alarm.
    void OnNotice(std::function<void(const TAlarmNotice&)> notice) { notice_ = std::move(notice); }

  private:
    using Played = std::function<void(std::exception_ptr)>;

    // The threshold's number; none, and `bad` set, for a text that is none.
    std::optional<std::int32_t> Threshold(const QString& text, bool& bad);
    // Plays one alarm's file; `unplayable` remembers the file that last failed.
    // A failure is shown, then handed on to `played`.
    void Play(const QString& path, QString& unplayable, Played played);
    // `done` preceded by the alarm's notice, unless `noticed` says it was given.
    Played WithNotice(bool& noticed, AlarmLevel level, std::int64_t utilization,
                      std::int32_t threshold, const QString& path, const QString& unplayable,
                      const QString& host, const QString& interface, std::function<void()> done);

    ErrorReporter& errors_;
    const AlarmSettingsSource& settings_;
    DeviceWorker& worker_;
    QString unplayableHighSound_;
    QString unplayableLowSound_;
    QStringList unusableThresholds_;
    bool highNoticed_ = false;
    bool lowNoticed_ = false;
    std::function<void()> alarmed_;
    std::function<void(const TAlarmNotice&)> notice_;
};

}  // namespace pulsewell
