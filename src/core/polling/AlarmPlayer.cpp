#include "AlarmPlayer.h"

#include <QDateTime>
#include <QFileInfo>

#include "NumberText.h"
#include "Rounding.h"

namespace pulsewell {

AlarmPlayer::AlarmPlayer(MonitorView& view, DeviceWorker& worker) : view_(view), worker_(worker) {}

std::optional<std::int32_t> AlarmPlayer::Threshold(const QString& text, bool& bad) {
    try {
        return ParseStoredInt32(text);
    } catch (const ConversionError& error) {
        bad = true;
        if (!unusableThresholds_.contains(text)) {
            unusableThresholds_.append(text);
            view_.ShowError(error.Message());
        }
        return std::nullopt;
    }
}

void AlarmPlayer::Sound(const TTrafficSample& sample, std::function<void()> done) {
    const TAlarmSettings alarms = view_.CurrentAlarmSettings();
    // Switching an alarm off forgets that its file failed.
    if (!alarms.HighAlarm) {
        unplayableHighSound_.clear();
    }
    if (!alarms.LowAlarm) {
        unplayableLowSound_.clear();
    }
    bool bad = false;
    const std::int64_t utilization = RoundHalfEven(sample.utilbit);
    // Both alarms need the high value; only the low one the low value.
    const std::int32_t high =
        alarms.HighAlarm || alarms.LowAlarm ? Threshold(alarms.HighValue, bad).value_or(0) : 0;
    const std::int32_t low = alarms.LowAlarm ? Threshold(alarms.LowValue, bad).value_or(0) : 0;
    if (bad) {
        done();
        return;
    }
    unusableThresholds_.clear();
    if (alarms.HighAlarm && utilization >= high) {
        Play(alarms.HighAlarmFile, unplayableHighSound_, std::move(done));
    } else if (alarms.LowAlarm && utilization >= low && utilization < high) {
        Play(alarms.LowAlarmFile, unplayableLowSound_, std::move(done));
    } else {
        done();
    }
}

void AlarmPlayer::Play(const QString& path, QString& unplayable, std::function<void()> done) {
    const QFileInfo file(path);
    const QString identity = QStringLiteral("%1\n%2\n%3")
                                 .arg(path, file.lastModified().toString(Qt::ISODateWithMs))
                                 .arg(file.size());
    if (identity == unplayable) {
        done();
        return;
    }
    if (!file.exists()) {
        unplayable = identity;
        view_.ShowError(MediaError(path, QStringLiteral("file not found")).Message());
        done();
        return;
    }
    worker_.Run([path](const DeviceWorker::Job& job) { job.Player().Play(path); },
                [this, &unplayable, identity, done = std::move(done)](std::exception_ptr error) {
                    unplayable = error ? identity : QString();
                    RunGuarded(view_, [&] {
                        if (error) {
                            std::rethrow_exception(error);
                        }
                    });
                    done();
                });
}

}  // namespace pulsewell
