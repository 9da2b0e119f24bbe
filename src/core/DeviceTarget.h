#pragma once

#include <QString>

#include "core/ProgramDefaults.h"
#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"

namespace pulsewell {

// The device a request goes to and how it asks: what every job on the
// device worker copies before it runs, so that a later edit reaches only
// the next job.
struct DeviceTarget {
    QString Host;
    QString Community = defaults::Community();
    SnmpVersion Version = SnmpVersion::V1;
    // Who asks when Version is SNMPv3.
    SnmpV3Security Security;

    bool operator==(const DeviceTarget&) const = default;
};

}  // namespace pulsewell
