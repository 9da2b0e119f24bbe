#include "snmp/Ber.h"

#include <charconv>

#include "snmp/DecimalText.h"

namespace pulsewell::snmp {

namespace {

constexpr std::int64_t kMaxLength = 0x7FFFFFFF;

std::string TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

void AppendDecimal(std::string& out, std::uint32_t n) {
    char digits[10];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

}  // namespace

std::string EncodeLength(std::uint32_t n) {
    if (n < 128) {
        return std::string(1, static_cast<char>(n));
    }
    std::string bytes;
    while (n != 0) {
        bytes.insert(bytes.begin(), static_cast<char>(n & 0xFF));
        n >>= 8;
    }
    bytes.insert(bytes.begin(), static_cast<char>(0x80 + bytes.size()));
    return bytes;
}

std::int64_t DecodeLength(std::string_view data, std::size_t& pos) {
    if (pos >= data.size()) {
        return -1;
    }
    const auto b = static_cast<unsigned char>(data[pos++]);
    if (b < 0x80) {
        return b;
    }
    std::size_t count = b & 0x7F;
    bool tooLong = false;
    std::int64_t length = 0;
    if (count > data.size() - pos) {
        pos = data.size();
        return -1;
    }
    for (; count > 0; --count) {
        if (length > (kMaxLength >> 8)) {
            tooLong = true;  // keep skipping the field, stop accumulating
        } else {
            length = (length << 8) | static_cast<unsigned char>(data[pos]);
        }
        ++pos;
    }
    if (tooLong || length > kMaxLength) {
        return -1;
    }
    return length;
}

std::string EncodeSubId(std::uint32_t n) {
    std::string bytes(1, static_cast<char>(n & 0x7F));
    n >>= 7;
    while (n != 0) {
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (n & 0x7F)));
        n >>= 7;
    }
    return bytes;
}

std::string EncodeSigned(std::int32_t n) {
    const auto pattern = static_cast<std::uint32_t>(n);
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto b = static_cast<char>((pattern >> shift) & 0xFF);
        if (bytes.empty() && b == 0 && shift != 0) {
            continue;
        }
        bytes.push_back(b);
    }
    if (n >= 0 && static_cast<unsigned char>(bytes.front()) >= 0x80) {
        bytes.insert(bytes.begin(), '\0');
    }
    return bytes;
}

std::string EncodeUnsigned(std::uint32_t n) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto b = static_cast<char>((n >> shift) & 0xFF);
        if (bytes.empty() && b == 0 && shift != 0) {
            continue;
        }
        bytes.push_back(b);
    }
    return bytes;
}

std::string MakeItem(std::string_view contents, int type) {
    std::string item(1, static_cast<char>(type));
    item += EncodeLength(static_cast<std::uint32_t>(contents.size()));
    item += contents;
    return item;
}

void AppendValueText(std::string& out, int type, std::string_view contents) {
    switch (type) {
        case ber::Boolean:
        case ber::Integer:
        case ber::Enumerated: {
            char digits[12];
            out.append(digits,
                       std::to_chars(digits, digits + sizeof digits, SignedValue(contents)).ptr);
            return;
        }
        case ber::Counter:
        case ber::Gauge:
        case ber::TimeTicks: {
            char digits[12];
            out.append(digits,
                       std::to_chars(digits, digits + sizeof digits, UnsignedValue(contents)).ptr);
            return;
        }
        case ber::Counter64: {
            char digits[20];
            out.append(
                digits,
                std::to_chars(digits, digits + sizeof digits, Unsigned64Value(contents)).ptr);
            return;
        }
        case ber::Null:
            return;
        case ber::ObjectId:
            AppendOidText(out, contents);
            return;
        case ber::IpAddress:
            for (std::size_t i = 0; i < contents.size(); ++i) {
                if (i > 0) {
                    out += '.';
                }
                AppendDecimal(out, static_cast<unsigned char>(contents[i]));
            }
            return;
        default:
            out.append(contents);
    }
}

std::string ValueText(int type, std::string_view contents) {
    std::string text;
    AppendValueText(text, type, contents);
    return text;
}

void DecodeItemInto(std::string_view data, std::size_t& pos, int& type, std::string& out) {
    out.clear();
    std::string_view contents;
    if (!ReadItemHeader(data, pos, type, contents) || (type & ber::Constructed) != 0) {
        out.append(contents);
        return;
    }
    AppendValueText(out, type, contents);
}

std::string DecodeItem(std::string_view data, std::size_t& pos, int& type) {
    std::string_view contents;
    if (!ReadItemHeader(data, pos, type, contents) || (type & ber::Constructed) != 0) {
        return std::string(contents);
    }
    return ValueText(type, contents);
}

std::uint32_t TakeArc(std::string_view& text) {
    // One pass: digits up to the first dot; anything else makes the arc 0.
    std::uint64_t value = 0;
    bool numeric = true;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9' || value > 0xFFFFFFFFu) {
            numeric = false;
        } else {
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    numeric = numeric && i > 0 && value <= 0xFFFFFFFFu;
    text = i < text.size() ? text.substr(i + 1) : std::string_view();
    return numeric ? static_cast<std::uint32_t>(value) : 0;
}

namespace {

void AppendSubId(std::string& out, std::uint32_t n) {
    char bytes[5];
    int count = 0;
    do {
        bytes[count++] = static_cast<char>(n & 0x7F);
        n >>= 7;
    } while (n != 0);
    while (count > 1) {
        out += static_cast<char>(bytes[--count] | 0x80);
    }
    out += bytes[0];
}

}  // namespace

void AppendOidBytes(std::string& out, std::string_view oid) {
    const std::uint32_t first = TakeArc(oid);
    const std::uint32_t second = TakeArc(oid);
    AppendSubId(out, first * 40 + second);
    while (!oid.empty()) {
        AppendSubId(out, TakeArc(oid));
    }
}

std::string OidToBytes(std::string_view oid) {
    std::string bytes;
    bytes.reserve(oid.size() / 2 + 2);
    AppendOidBytes(bytes, oid);
    return bytes;
}

namespace {

// Decimal digits of n at out; returns the end. Small arcs are the common case.
char* PutDecimal(char* out, std::uint32_t n) {
    if (n < 10) {
        *out = static_cast<char>('0' + n);
        return out + 1;
    }
    return std::to_chars(out, out + 10, n).ptr;
}

}  // namespace

std::string BytesToOid(std::string_view bytes) {
    std::string text;
    AppendOidText(text, bytes);
    return text;
}

void AppendOidText(std::string& text, std::string_view bytes) {
    // Each sub-identifier byte gives at most three characters and a dot, except
    // a first byte that yields two arcs: size the text once, fill it, cut it.
    char local[512];
    std::string spill;
    const std::size_t room = bytes.size() * 4 + 16;
    char* const begin = room <= sizeof local ? local : (spill.resize(room), spill.data());
    char* out = begin;
    std::size_t pos = 0;
    bool first = true;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        const auto b = static_cast<unsigned char>(bytes[pos]);
        std::uint32_t n;
        if (b < 0x80) {
            n = b;
            ++pos;
        } else {
            n = DecodeSubId(bytes, pos);
        }
        if (first) {
            first = false;
            // Only arc 2 can need more than one byte; its second arc is open-ended.
            if (pos - start == 1 || n < 80) {
                out = PutDecimal(out, n / 40);
                *out++ = '.';
                out = PutDecimal(out, n % 40);
            } else {
                *out++ = '2';
                *out++ = '.';
                out = PutDecimal(out, n - 80);
            }
            continue;
        }
        *out++ = '.';
        out = PutDecimal(out, n);
    }
    text.append(begin, out);
}

std::uint32_t TakeArc(std::string& text) {
    std::string_view rest = text;
    const std::uint32_t arc = TakeArc(rest);
    text.erase(0, text.size() - rest.size());
    return arc;
}

std::string IpToBytes(std::string_view ip) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        std::string_view part = ip;
        if (i < 3) {
            const std::size_t dot = ip.find('.');
            part = ip.substr(0, dot);
            ip = dot == std::string_view::npos ? std::string_view() : ip.substr(dot + 1);
        }
        const std::int64_t n =
            ParseDecimal(TrimSpaces(part), -0x7FFFFFFF - 1, 0xFFFFFFFF).value_or(0);
        bytes.push_back(static_cast<char>(static_cast<std::uint64_t>(n) & 0xFF));
    }
    return bytes;
}

std::string EncodeValue(int type, std::string_view value) {
    switch (type) {
        case ber::Integer:
            return EncodeSigned(static_cast<std::int32_t>(
                ParseDecimal(value, -0x7FFFFFFFLL - 1, 0x7FFFFFFF).value_or(0)));
        case ber::Counter:
        case ber::Gauge:
        case ber::TimeTicks:
            // Negative text is taken as its 32-bit pattern, as the decoder prints it.
            return EncodeUnsigned(static_cast<std::uint32_t>(
                ParseDecimal(value, -0x7FFFFFFFLL - 1, 0xFFFFFFFF).value_or(0)));
        case ber::Null:
            return {};
        case ber::ObjectId:
            return OidToBytes(value);
        case ber::IpAddress:
            return IpToBytes(value);
        default:
            return std::string(value);
    }
}

}  // namespace pulsewell::snmp
