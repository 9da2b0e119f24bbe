#include "snmp/Oid.h"

#include <array>

#include "snmp/Ber.h"

namespace pulsewell::snmp {

TOid::TOid(std::string_view text) : bytes_(OidToBytes(text)) {}

TOid TOid::Child(std::uint32_t arc) const {
    // Base-128 digits, most significant first, all but the last flagged.
    std::array<char, 5> digits{};
    auto first = digits.end();
    *--first = static_cast<char>(arc & 0x7F);
    while ((arc >>= 7) != 0) {
        *--first = static_cast<char>(0x80 | (arc & 0x7F));
    }
    TOid child;
    child.bytes_.reserve(bytes_.size() + static_cast<std::size_t>(digits.end() - first));
    child.bytes_.append(bytes_).append(first, digits.end());
    return child;
}

std::string TOid::Text() const {
    return BytesToOid(bytes_);
}

}  // namespace pulsewell::snmp
