#pragma once

#include "SnmpV3Security.h"
#include "StartProfile.h"

namespace pulsewell {

class SettingsKey;

// The stored SNMPv3 settings: user, level, protocols and context. A missing
// value or one that names no level or protocol leaves the field as it was;
// the passphrases are neither read nor written here.
void ReadV3Settings(const SettingsKey& key, SnmpV3Security& security);
void WriteV3Settings(SettingsKey& key, const SnmpV3Security& security);

// What a start profile says of SNMPv3 over what is stored: each key it gives
// replaces the stored value; a missing key, or a level or protocol its text
// does not name, keeps it.
void ApplyV3Profile(const THostEntry& entry, SnmpV3Security& security);

}  // namespace pulsewell
