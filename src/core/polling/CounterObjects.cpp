#include "core/polling/CounterObjects.h"

#include "core/device/DeviceObjects.h"

namespace pulsewell {

void CounterObjects::Follow(const QString& interface) {
    if (parsed_ && interface == interface_) {
        return;
    }
    const auto parse = [&](const QString& column) {
        return snmp::TOid((column + interface).toLatin1().toStdString());
    };
    wideOut = parse(objects::kIfHCOutOctets);
    wideIn = parse(objects::kIfHCInOctets);
    out = parse(objects::kIfOutOctets);
    in = parse(objects::kIfInOctets);
    interface_ = interface;
    parsed_ = true;
}

}  // namespace pulsewell
