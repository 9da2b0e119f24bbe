#include "snmp/Oid.h"

#include <algorithm>
#include <array>

#include "snmp/Ber.h"

namespace pulsewell::snmp {

TOid::TOid(std::string_view text) : bytes_(OidToBytes(text)) {}

TOid TOid::Child(std::uint32_t arc) const {
    TOid child;
    child.AssignChild(*this, arc);
    return child;
}

void TOid::AssignChild(const TOid& parent, std::uint32_t arc) {
    // Base-128 digits, most significant first, all but the last flagged.
    std::array<char, 5> digits{};
    auto first = digits.end();
    *--first = static_cast<char>(arc & 0x7F);
    while ((arc >>= 7) != 0) {
        *--first = static_cast<char>(0x80 | (arc & 0x7F));
    }
    // Written over the bytes held, which mostly have the room already.
    const std::size_t size = parent.bytes_.size();
    bytes_.resize(size + static_cast<std::size_t>(digits.end() - first));
    std::copy(first, digits.end(), std::copy_n(parent.bytes_.data(), size, bytes_.data()));
}

std::string TOid::Text() const {
    return BytesToOid(bytes_);
}

}  // namespace pulsewell::snmp
