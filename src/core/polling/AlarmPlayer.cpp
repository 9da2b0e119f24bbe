#include "AlarmPlayer.h"

#include <QDateTime>
#include <QFileInfo>

#include "NumberText.h"
#include "Rounding.h"

namespace pulsewell {

namespace {

// A sound file as the memory of failures knows it: changed, it is tried again.
QString SoundIdentity(const QString& path) {
    const QFileInfo file(path);
    return QStringLiteral("%1\n%2\n%3")
        .arg(path, file.lastModified().toString(Qt::ISODateWithMs))
        .arg(file.size());
}

}  // namespace

AlarmPlayer::AlarmPlayer(MonitorView& view, const TMonitorState& state, DeviceWorker& worker)
    : view_(view), state_(state), worker_(worker) {}

void AlarmPlayer::Sound(const TTrafficSample& sample,
                        std::function<void(std::exception_ptr)> done) {
    try {
        const TAlarmSettings alarms = view_.CurrentAlarmSettings();
        // Switching an alarm off forgets that its file failed and that it was noticed.
        if (!alarms.HighAlarm) {
            unplayableHighSound_.clear();
            highNoticed_ = false;
        }
        if (!alarms.LowAlarm) {
            unplayableLowSound_.clear();
            lowNoticed_ = false;
        }
        const std::int64_t utilization = RoundHalfEven(sample.utilbit);
        if (alarms.HighAlarm) {
            const std::int32_t high = ParseStoredInt32(alarms.HighValue);
            highNoticed_ = highNoticed_ && utilization >= high;
            if (utilization >= high) {
                Play(alarms.HighAlarmFile, unplayableHighSound_,
                     WithNotice(highNoticed_, AlarmLevel::High, utilization, high,
                                alarms.HighAlarmFile, unplayableHighSound_, std::move(done)));
                return;
            }
        }
        if (alarms.LowAlarm) {
            const std::int32_t low = ParseStoredInt32(alarms.LowValue);
            lowNoticed_ = lowNoticed_ && utilization >= low;
            if (utilization >= low && utilization < ParseStoredInt32(alarms.HighValue)) {
                Play(alarms.LowAlarmFile, unplayableLowSound_,
                     WithNotice(lowNoticed_, AlarmLevel::Low, utilization, low,
                                alarms.LowAlarmFile, unplayableLowSound_, std::move(done)));
                return;
            }
        }
    } catch (const OperationError&) {
        done(std::current_exception());
        return;
    }
    done(nullptr);
}

std::function<void(std::exception_ptr)> AlarmPlayer::WithNotice(
    bool& noticed, AlarmLevel level, std::int64_t utilization, std::int32_t threshold,
    const QString& path, const QString& unplayable, std::function<void(std::exception_ptr)> done) {
    if (noticed) {
        return done;
    }
    // A file that failed before is not tried again; the notice says so too.
    const bool failedBefore = unplayable == SoundIdentity(path);
    // Noticed only once posted: a sound called off by Stop leaves the next poll to notice it.
    return [this, &noticed, level, utilization, threshold, failedBefore, host = state_.Host,
            interface = state_.PolledInterface, done = std::move(done)](std::exception_ptr error) {
        noticed = true;
        QString failure = failedBefore ? QStringLiteral("it failed before") : QString();
        if (error) {
            try {
                std::rethrow_exception(error);
            } catch (const OperationError& e) {
                failure = e.Message();
            }
        }
        view_.ShowAlarmNotice(AlarmNoticeText(level, utilization, threshold, host, interface, failure));
        done(error);
    };
}

void AlarmPlayer::Play(const QString& path, QString& unplayable,
                       std::function<void(std::exception_ptr)> done) {
    const QFileInfo file(path);
    const QString identity = SoundIdentity(path);
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
