#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// An object identifier held as it goes on the wire (the BER contents of its
// sub-identifiers), parsed from dotted text once: a caller that asks the same
// objects again and again encodes them once and finds their values in a
// reply by bytes.
namespace pulsewell::snmp {

class TOid {
  public:
    TOid() = default;
    // Dotted text as OidToBytes reads it.
    explicit TOid(std::string_view text);

    // The identifier one arc deeper, as a table column's row.
    TOid Child(std::uint32_t arc) const;
    // The same in place, keeping this one's storage: a walk asks the next
    // row of its columns request after request.
    void AssignChild(const TOid& parent, std::uint32_t arc);

    const std::string& Bytes() const { return bytes_; }
    std::string Text() const;

    bool operator==(const TOid&) const = default;

  private:
    std::string bytes_;
};

}  // namespace pulsewell::snmp
