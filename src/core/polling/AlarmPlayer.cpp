#include "AlarmPlayer.h"

#include <QDateTime>
#include <QFileInfo>

#include "NumberText.h"
#include "Rounding.h"

namespace pulsewell {

AlarmPlayer::AlarmPlayer(MonitorView& view, DeviceWorker& worker)
    : view_(view), worker_(worker) {}

void AlarmPlayer::Sound(const TTrafficSample& sample,
                        std::function<void(std::exception_ptr)> done) {
    try {
        const TAlarmSettings alarms = view_.CurrentAlarmSettings();
        // Switching an alarm off forgets that its file failed.
        if (!alarms.HighAlarm) {
            unplayableHighSound_.clear();
        }
        if (!alarms.LowAlarm) {
            unplayableLowSound_.clear();
        }
        const std::int64_t utilization = RoundHalfEven(sample.utilbit);
        if (alarms.HighAlarm && utilization >= ParseStoredInt32(alarms.HighValue)) {
            Play(alarms.HighAlarmFile, unplayableHighSound_, std::move(done));
            return;
        }
        if (alarms.LowAlarm && utilization >= ParseStoredInt32(alarms.LowValue) &&
            utilization < ParseStoredInt32(alarms.HighValue)) {
            Play(alarms.LowAlarmFile, unplayableLowSound_, std::move(done));
            return;
        }
    } catch (const OperationError&) {
        done(std::current_exception());
        return;
    }
    done(nullptr);
}

void AlarmPlayer::Play(const QString& path, QString& unplayable,
                       std::function<void(std::exception_ptr)> done) {
    const QFileInfo file(path);
    const QString identity = QStringLiteral("%1\n%2\n%3")
                                 .arg(path, file.lastModified().toString(Qt::ISODateWithMs))
                                 .arg(file.size());
    if (identity == unplayable) {
        done(nullptr);
        return;
    }
    if (!file.exists()) {
        unplayable = identity;
        done(std::make_exception_ptr(MediaError(path, QStringLiteral("file not found"))));
        return;
    }
    worker_.Run([path](const DeviceWorker::Job& job) { job.Player().Play(path); },
                [&unplayable, identity, done = std::move(done)](std::exception_ptr error) {
                    unplayable = error ? identity : QString();
                    done(error);
                });
}

}  // namespace pulsewell
