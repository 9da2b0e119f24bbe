#pragma once

#include <QString>

namespace pulsewell {

// What the options dialog currently holds for the two sound alarms, as it
// starts. The thresholds stay text: they are converted only when an alarm needs them.
struct TAlarmSettings {
    QString HighValue = QStringLiteral("70");
    QString LowValue = QStringLiteral("20");
    bool HighAlarm = false;
    bool LowAlarm = false;
    QString HighAlarmFile;
    QString LowAlarmFile;
};

}  // namespace pulsewell
