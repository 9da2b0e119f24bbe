#pragma once

namespace pulsewell::snmp {

// The community asked with when nobody named one: the program's default too.
inline constexpr char kDefaultCommunity[] = "cobalt";

}  // namespace pulsewell::snmp
