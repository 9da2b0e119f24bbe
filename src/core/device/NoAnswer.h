#pragma once

#include <QString>

#include "SnmpVersion.h"

namespace pulsewell {

// A failure to reach the device, saying so when it was asked in SNMPv2c:
// some older agents drop SNMPv2c requests without a word.
inline QString NoAnswerText(const QString& failure, SnmpVersion version) {
    return version == SnmpVersion::V2c
               ? failure + QStringLiteral(" The device did not answer in SNMPv2c.")
               : failure;
}

}  // namespace pulsewell
