#pragma once

#include <QString>
#include <cstdint>

namespace pulsewell {

// What a desktop notification of a threshold alarm says.
struct TAlarmNotice {
    QString Summary;
    QString Body;
};

enum class AlarmLevel { High, Low };

// The notice of an alarm: which level, the utilization against its threshold
// (percent), the host and interface polled, and why the sound did not play
// (empty when it did).
TAlarmNotice AlarmNoticeText(AlarmLevel level, std::int64_t utilization, std::int32_t threshold,
                             const QString& host, const QString& interface,
                             const QString& soundFailure);

}  // namespace pulsewell
