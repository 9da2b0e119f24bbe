#pragma once

#include "core/polling/AlarmNotice.h"

namespace pulsewell {

// Posts notices to the desktop's notification service
// (org.freedesktop.Notifications on the session bus) as "Pulsewell". Without
// a session bus or a service nothing shows, and nobody is told: the alarm's
// sound and the traffic log still are.
class DesktopNotifier {
  public:
    void Post(const TAlarmNotice& notice);
};

}  // namespace pulsewell
