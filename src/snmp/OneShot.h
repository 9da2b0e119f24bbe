#pragma once

#include <string>

// Single requests with a short-lived client: one attempt, 5000 ms. Failure is
// false with empty value text; ReadNextValue then leaves oid unchanged.
namespace pulsewell::snmp {

bool ReadOneValue(const std::string& oid, const std::string& community, const std::string& host,
                  std::string& value);
bool ReadNextValue(std::string& oid, const std::string& community, const std::string& host,
                   std::string& value);

}  // namespace pulsewell::snmp
