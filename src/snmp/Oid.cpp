#include "snmp/Oid.h"

#include "snmp/Ber.h"

namespace pulsewell::snmp {

TOid::TOid(std::string_view text) : bytes_(OidToBytes(text)) {}

TOid TOid::Child(std::uint32_t arc) const {
    TOid child;
    child.bytes_ = bytes_ + EncodeSubId(arc);
    return child;
}

std::string TOid::Text() const {
    return BytesToOid(bytes_);
}

}  // namespace pulsewell::snmp
