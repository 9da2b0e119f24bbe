#include "core/SnmpVersion.h"

namespace pulsewell {

std::optional<SnmpVersion> ParseSnmpVersion(const QString& text) {
    // People write "V3", "v2C" or "SNMPv3" as often as "3".
    QString name = text.toLower();
    if (name.startsWith(QStringLiteral("snmp"))) {
        name.remove(0, 4);
    }
    if (name.startsWith(u'v')) {
        name.remove(0, 1);
    }
    for (const SnmpVersion version : {SnmpVersion::V1, SnmpVersion::V2c, SnmpVersion::V3}) {
        if (name == SnmpVersionText(version)) {
            return version;
        }
    }
    return std::nullopt;
}

QString SnmpVersionText(SnmpVersion version) {
    switch (version) {
        case SnmpVersion::V2c:
            return QStringLiteral("2c");
        case SnmpVersion::V3:
            return QStringLiteral("3");
        case SnmpVersion::V1:
            break;
    }
    return QStringLiteral("1");
}

QString SnmpVersionChoices() {
    return QStringLiteral("1, 2c or 3");
}

QString SnmpVersionName(SnmpVersion version) {
    return QStringLiteral("SNMPv") + SnmpVersionText(version);
}

bool CarriesCounter64(SnmpVersion version) {
    return version != SnmpVersion::V1;
}

QString NoAnswerText(const QString& failure, SnmpVersion version,
                     const std::optional<QString>& cause) {
    if (cause) {
        return failure + u' ' + *cause;
    }
    if (CarriesCounter64(version)) {
        return failure +
               QStringLiteral(" The device did not answer in %1.").arg(SnmpVersionName(version));
    }
    return failure;
}

}  // namespace pulsewell
