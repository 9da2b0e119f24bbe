#include "core/discovery/InterfaceSpeed.h"

#include "core/device/DeviceObjects.h"
#include "core/discovery/InterfaceCells.h"
#include "core/numbers/NumberText.h"

namespace pulsewell {

QString InterfaceSpeedCell(DeviceReader& reader, SnmpVersion version, const QString& index,
                           const QString& speed) {
    if (CarriesCounter64(version) && IsSpeedCeiling(speed)) {
        // An agent without a better figure may say 0 there: the ceiling is closer.
        const QString highSpeed =
            reader.QueryValue(objects::kIfHighSpeed + index).value_or(QString());
        if (TryParseInt64(highSpeed).value_or(0) != 0) {
            return HighSpeedCell(highSpeed);
        }
    }
    return SpeedCell(speed);
}

InterfaceSpeedReading ReadInterfaceSpeed(DeviceReader& reader, SnmpVersion version,
                                         const QString& index) {
    const std::optional<QString> speed = reader.QueryValue(objects::kIfSpeed + index);
    InterfaceSpeedReading reading;
    reading.answered = speed.has_value();
    if (speed && !speed->isEmpty()) {
        reading.cell = InterfaceSpeedCell(reader, version, index, *speed);
        return reading;
    }
    // An SNMPv3 agent may answer with a refusal instead of the value.
    reading.cause = reader.LastFailureCause();
    if (speed && !reading.cause) {
        // Some devices give no speed for an interface they have.
        const QString ifIndex = objects::kIfIndexColumn + u'.' + index;
        reading.present = !reader.QueryValue(ifIndex).value_or(index).isEmpty();
    }
    return reading;
}

}  // namespace pulsewell
