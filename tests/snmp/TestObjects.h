#pragma once

// Objects that the SNMP tests ask their agents for: ifSpeed and ifDescr of
// interface 2.
namespace pulsewell::test {

inline constexpr const char* kSpeed = "1.3.6.1.2.1.2.2.1.5.2";
inline constexpr const char* kDescr = "1.3.6.1.2.1.2.2.1.2.2";

}  // namespace pulsewell::test
