#include "SnmpVersion.h"

namespace pulsewell {

std::optional<SnmpVersion> ParseSnmpVersion(const QString& text) {
    if (text == QStringLiteral("1")) {
        return SnmpVersion::V1;
    }
    if (text == QStringLiteral("2c")) {
        return SnmpVersion::V2c;
    }
    if (text == QStringLiteral("3")) {
        return SnmpVersion::V3;
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
        return failure + QStringLiteral(" The device did not answer in %1.")
                             .arg(SnmpVersionName(version));
    }
    return failure;
}

}  // namespace pulsewell
