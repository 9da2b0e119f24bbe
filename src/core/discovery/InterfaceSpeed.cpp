#include "InterfaceSpeed.h"

#include "DeviceObjects.h"
#include "InterfaceCells.h"

namespace pulsewell {

QString InterfaceSpeedCell(DeviceReader& reader, SnmpVersion version, const QString& index,
                           const QString& speed) {
    if (CarriesCounter64(version) && IsSpeedCeiling(speed)) {
        const std::optional<QString> highSpeed = reader.QueryValue(objects::kIfHighSpeed + index);
        if (highSpeed && !highSpeed->isEmpty()) {
            return HighSpeedCell(*highSpeed);
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
    }
    return reading;
}

}  // namespace pulsewell
