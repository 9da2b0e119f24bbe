#pragma once

#include <QStringList>

#include "core/SnmpV3Security.h"
#include "core/settings/StartProfile.h"

namespace pulsewell {

class SettingsKey;

// The stored SNMPv3 settings: user, level, protocols and context. A missing
// value leaves the field as it was; the passphrases are neither read nor
// written here. Returns a SettingValueError's text for each value that names
// no level or protocol, whose field stays as it was too.
QStringList ReadV3Settings(const SettingsKey& key, SnmpV3Security& security);
void WriteV3Settings(SettingsKey& key, const SnmpV3Security& security);

// What a start profile (the file `file`) says of SNMPv3 over what is stored:
// each key it gives replaces the stored value; a missing key keeps it. The
// texts of the values that name no level or protocol, as ReadV3Settings.
QStringList ApplyV3Profile(const THostEntry& entry, const QString& file, SnmpV3Security& security);

}  // namespace pulsewell
