#include "Oid.h"

#include "Ber.h"

namespace pulsewell::snmp {

TOid::TOid(std::string_view text) : bytes_(OidToBytes(text)) {}

std::string TOid::Text() const {
    return BytesToOid(bytes_);
}

}  // namespace pulsewell::snmp
