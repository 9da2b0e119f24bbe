#include "core/polling/AlarmPlayer.h"

#include <QDateTime>
#include <QFileInfo>

#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"

namespace pulsewell {

namespace {

// A sound file as the memory of failures knows it: changed, it is tried again.
QString SoundIdentity(const QString& path) {
    const QFileInfo file(path);
    return QStringLiteral("%1\n%2\n%3")
        .arg(path, file.lastModified().toString(Qt::ISODateWithMs), QString::number(file.size()));
}

}  // namespace

AlarmPlayer::AlarmPlayer(ErrorReporter& errors, const AlarmSettingsSource& settings,
                         DeviceWorker& worker)
    : errors_(errors), settings_(settings), worker_(worker) {}

std::optional<std::int32_t> AlarmPlayer::Threshold(const QString& text, bool& bad) {
    try {
        return ParseStoredInt32(text);
    } catch (const ConversionError& error) {
        bad = true;
        if (!unusableThresholds_.contains(text)) {
            unusableThresholds_.append(text);
            errors_.ShowError(error.Message());
        }
        return std::nullopt;
    }
}

void AlarmPlayer::Sound(const TTrafficSample& sample, const QString& host, const QString& interface,
                        std::function<void()> done) {
    const TAlarmSettings alarms = settings_.CurrentAlarmSettings();
    // Switching an alarm off forgets that its file failed and that it was noticed.
    if (!alarms.HighAlarm) {
        unplayableHighSound_.clear();
        highNoticed_ = false;
    }
    if (!alarms.LowAlarm) {
        unplayableLowSound_.clear();
        lowNoticed_ = false;
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
    highNoticed_ = highNoticed_ && utilization >= high;
    lowNoticed_ = lowNoticed_ && utilization >= low;
    const bool highAlarm = alarms.HighAlarm && utilization >= high;
    if ((highAlarm || (alarms.LowAlarm && utilization >= low)) && alarmed_) {
        alarmed_();
    }
    if (highAlarm) {
        Play(alarms.HighAlarmFile, unplayableHighSound_,
             WithNotice(highNoticed_, AlarmLevel::High, utilization, high, alarms.HighAlarmFile,
                        unplayableHighSound_, host, interface, std::move(done)));
    } else if (alarms.LowAlarm && utilization >= low && utilization < high) {
        Play(alarms.LowAlarmFile, unplayableLowSound_,
             WithNotice(lowNoticed_, AlarmLevel::Low, utilization, low, alarms.LowAlarmFile,
                        unplayableLowSound_, host, interface, std::move(done)));
    } else {
        done();
    }
}

AlarmPlayer::Played AlarmPlayer::WithNotice(bool& noticed, AlarmLevel level,
                                            std::int64_t utilization, std::int32_t threshold,
                                            const QString& path, const QString& unplayable,
                                            const QString& host, const QString& interface,
                                            std::function<void()> done) {
    if (noticed) {
        return [done = std::move(done)](std::exception_ptr) { done(); };
    }
    // A file that failed before is not tried again; the notice says so too.
    const bool failedBefore = unplayable == SoundIdentity(path);
    // Noticed only once posted: a sound called off by Stop leaves the next poll to notice it.
    return [this, &noticed, level, utilization, threshold, failedBefore, host, interface,
            done = std::move(done)](std::exception_ptr error) {
        noticed = true;
        QString failure = failedBefore ? QStringLiteral("it failed before") : QString();
        if (error) {
            try {
                std::rethrow_exception(error);
            } catch (const OperationError& e) {
                failure = e.Message();
            }
        }
        if (notice_) {
            notice_(AlarmNoticeText(level, utilization, threshold, host, interface, failure));
        }
        done();
    };
}

void AlarmPlayer::Play(const QString& path, QString& unplayable, Played played) {
    const QFileInfo file(path);
    const QString identity = SoundIdentity(path);
    if (identity == unplayable) {
        played(nullptr);
        return;
    }
    if (!file.exists()) {
        unplayable = identity;
        const MediaError missing(path, QStringLiteral("file not found"));
        errors_.ShowError(missing.Message());
        played(std::make_exception_ptr(missing));
        return;
    }
    worker_.Run(
        [path](const DeviceWorker::Job& job) { job.Player().Play(path); },
        [this, &unplayable, identity, played = std::move(played)](std::exception_ptr error) {
            unplayable = error ? identity : QString();
            RunGuarded(errors_, [&] {
                if (error) {
                    std::rethrow_exception(error);
                }
            });
            played(error);
        });
}

}  // namespace pulsewell
