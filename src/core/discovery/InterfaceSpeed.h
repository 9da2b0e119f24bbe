#pragma once

#include <QString>
#include <optional>

#include "core/SnmpVersion.h"
#include "core/device/DeviceReader.h"

namespace pulsewell {

// The speed cell of interface `index` from its ifSpeed value text, or over
// SNMPv2c from its ifHighSpeed where ifSpeed is at its ceiling (RFC 2863:
// ifSpeed stops there, ifHighSpeed goes on). On the device worker; a text
// that is no number raises ConversionError.
QString InterfaceSpeedCell(DeviceReader& reader, SnmpVersion version, const QString& index,
                           const QString& speed);

// One interface's speed asked on its own, for a caller that did not walk the table.
struct InterfaceSpeedReading {
    bool answered = false;
    // Why it got no answer or no value, where the protocol said.
    std::optional<QString> cause;
    // False when the device has neither a speed nor an index for the interface.
    bool present = true;
    // Empty when the device has no speed for the interface.
    QString cell;
};
InterfaceSpeedReading ReadInterfaceSpeed(DeviceReader& reader, SnmpVersion version,
                                         const QString& index);

}  // namespace pulsewell
