#pragma once

#include <QString>

#include "core/ProgramDefaults.h"

namespace pulsewell {

// What the options dialog currently holds for the two sound alarms, as it
// starts. The thresholds stay text: they are converted only when an alarm needs them.
struct TAlarmSettings {
    QString HighValue = QString::number(defaults::kHighThreshold);
    QString LowValue = QString::number(defaults::kLowThreshold);
    bool HighAlarm = false;
    bool LowAlarm = false;
    QString HighAlarmFile;
    QString LowAlarmFile;
};

// The alarm settings as the options dialog holds them now; without one, the alarms are off.
class AlarmSettingsSource {
  public:
    virtual ~AlarmSettingsSource() = default;
    virtual TAlarmSettings CurrentAlarmSettings() const { return {}; }
};

}  // namespace pulsewell
