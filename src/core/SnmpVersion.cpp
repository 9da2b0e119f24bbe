#include "SnmpVersion.h"

namespace pulsewell {

std::optional<SnmpVersion> ParseSnmpVersion(const QString& text) {
    if (text == QStringLiteral("1")) {
        return SnmpVersion::V1;
    }
    if (text == QStringLiteral("2c")) {
        return SnmpVersion::V2c;
    }
    return std::nullopt;
}

QString SnmpVersionText(SnmpVersion version) {
    return version == SnmpVersion::V2c ? QStringLiteral("2c") : QStringLiteral("1");
}

}  // namespace pulsewell
