#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// BER items as SNMP uses them: single-byte type codes, definite lengths, and
// every value carried as text. Byte strings are std::string holding raw bytes.
// Nothing here throws; bad input gives empty or zero results and no function
// reads a byte beyond the data it was given.
namespace pulsewell::snmp {

namespace ber {
inline constexpr int Boolean = 0x01;
inline constexpr int Integer = 0x02;
inline constexpr int OctetString = 0x04;
inline constexpr int Null = 0x05;
inline constexpr int ObjectId = 0x06;
inline constexpr int Enumerated = 0x0A;
inline constexpr int Sequence = 0x30;
inline constexpr int IpAddress = 0x40;
inline constexpr int Counter = 0x41;
inline constexpr int Gauge = 0x42;
inline constexpr int TimeTicks = 0x43;
inline constexpr int Opaque = 0x44;
inline constexpr int Counter64 = 0x46;
// SNMPv2c exception values: the agent has no value for the binding.
inline constexpr int NoSuchObject = 0x80;
inline constexpr int NoSuchInstance = 0x81;
inline constexpr int EndOfMibView = 0x82;
inline constexpr int Constructed = 0x20;

inline constexpr bool IsException(int type) {
    return type == NoSuchObject || type == NoSuchInstance || type == EndOfMibView;
}
}  // namespace ber

// Length field in the fewest bytes (short form below 128).
std::string EncodeLength(std::uint32_t n);

// Reads a length field at pos and moves pos past it (never past the end).
// Returns -1 when the field is cut short or the length needs more than 31 bits.
std::int64_t DecodeLength(std::string_view data, std::size_t& pos);

std::string EncodeSubId(std::uint32_t n);
// Stops at the first byte without the continuation bit, or at the end of data.
// Inline, as are the readers of item headers and numbers below: a sweep reads
// them for every binding.
inline std::uint32_t DecodeSubId(std::string_view data, std::size_t& pos) {
    std::uint32_t value = 0;
    while (pos < data.size()) {
        const auto b = static_cast<unsigned char>(data[pos++]);
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0) {
            break;
        }
    }
    return value;
}

std::string EncodeSigned(std::int32_t n);
std::string EncodeUnsigned(std::uint32_t n);

std::string MakeItem(std::string_view contents, int type);

// Reads one item at pos and returns its value text; type gets its type byte.
// Constructed items are entered: the text is their contents and pos is left
// at the first inner item.
std::string DecodeItem(std::string_view data, std::size_t& pos, int& type);
// The same walk without building the value text: contents is a view of the
// item's content bytes. False (and empty contents) where DecodeItem gives
// empty text for a missing or truncated item.
inline bool ReadItemHeader(std::string_view data, std::size_t& pos, int& type,
                           std::string_view& contents) {
    type = ber::Null;
    contents = {};
    if (pos > data.size() || data.size() - pos < 2) {
        return false;
    }
    type = static_cast<unsigned char>(data[pos++]);
    const auto first = static_cast<unsigned char>(data[pos]);
    std::int64_t length;
    if (first < 0x80) {  // short form, by far the most common
        length = first;
        ++pos;
    } else {
        length = DecodeLength(data, pos);
    }
    if (length < 0 || static_cast<std::uint64_t>(length) > data.size() - pos) {
        return false;
    }
    contents = std::string_view(data.data() + pos, static_cast<std::size_t>(length));
    if ((type & ber::Constructed) == 0) {
        pos += contents.size();
    }
    return true;
}

// Value text of an item's contents by type, as DecodeItem gives it.
std::string ValueText(int type, std::string_view contents);
// The same texts appended to out, so that a caller can reuse its storage.
void AppendValueText(std::string& out, int type, std::string_view contents);
void AppendOidText(std::string& out, std::string_view bytes);
// DecodeItem with the value text written into out (replacing its content).
void DecodeItemInto(std::string_view data, std::size_t& pos, int& type, std::string& out);
// INTEGER contents as a signed 32-bit number; Counter/Gauge/TimeTicks contents
// as their 32-bit pattern read as signed (what their value text says).
inline std::int32_t SignedValue(std::string_view contents) {
    std::uint32_t value = 0;
    if (!contents.empty() && (static_cast<unsigned char>(contents[0]) & 0x80) != 0) {
        value = 0xFFFFFFFFu;  // sign extension
    }
    for (const char c : contents) {
        value = (value << 8) | static_cast<unsigned char>(c);
    }
    return static_cast<std::int32_t>(value);
}
inline std::int32_t UnsignedValue(std::string_view contents) {
    // The lengths counters mostly come in, without the loop: a sweep reads thousands.
    const auto* b = reinterpret_cast<const unsigned char*>(contents.data());
    switch (contents.size()) {
        case 1:
            return b[0];
        case 2:
            return b[0] << 8 | b[1];
        case 3:
            return b[0] << 16 | b[1] << 8 | b[2];
        case 4:
            return static_cast<std::int32_t>(std::uint32_t{b[0]} << 24 | b[1] << 16 | b[2] << 8 |
                                             b[3]);
        default:
            break;
    }
    std::uint32_t value = 0;
    for (const char c : contents) {
        value = (value << 8) | static_cast<unsigned char>(c);
    }
    return static_cast<std::int32_t>(value);
}
// Counter64 contents as an unsigned number, low 64 bits (what its value text
// says); a leading 00 byte drops out.
inline std::uint64_t Unsigned64Value(std::string_view contents) {
    std::uint64_t value = 0;
    for (const char c : contents) {
        value = (value << 8) | static_cast<unsigned char>(c);
    }
    return value;
}

std::string OidToBytes(std::string_view oid);
// The same bytes appended to out: the one encoder of identifier texts.
void AppendOidBytes(std::string& out, std::string_view oid);
std::string BytesToOid(std::string_view bytes);

// Removes the first dot-separated part from text and returns it as a number
// (0 when empty or not a number).
std::uint32_t TakeArc(std::string& text);
std::uint32_t TakeArc(std::string_view& text);

std::string IpToBytes(std::string_view ip);

// Contents of an item of the given type built from its value text.
std::string EncodeValue(int type, std::string_view value);

}  // namespace pulsewell::snmp
