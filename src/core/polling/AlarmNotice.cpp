#include "core/polling/AlarmNotice.h"

namespace pulsewell {

TAlarmNotice AlarmNoticeText(AlarmLevel level, std::int64_t utilization, std::int32_t threshold,
                             const QString& host, const QString& interface,
                             const QString& soundFailure) {
    const QString name = level == AlarmLevel::High ? QStringLiteral("high") : QStringLiteral("low");
    TAlarmNotice notice;
    const QString percent = QString::number(utilization);
    notice.Summary = QStringLiteral("Utilization %1 % reached the %2 threshold").arg(percent, name);
    // One substitution: a "%1" in the host must not take the next value.
    notice.Body = QStringLiteral(
                      "Host %1, interface %2: the utilization of %3 % reached the %4 "
                      "threshold of %5 %.")
                      .arg(host, interface, percent, name, QString::number(threshold));
    if (!soundFailure.isEmpty()) {
        notice.Body += QStringLiteral("\nThe alarm sound could not play: ") + soundFailure;
    }
    return notice;
}

}  // namespace pulsewell
