#include "ReverseWriter.h"

#include <cstring>

#include "Ber.h"

namespace pulsewell::snmp {

void ReverseWriter::Reserve(std::size_t n) {
    if (start_ >= n) {
        return;
    }
    const std::size_t used = Size();
    const std::size_t size = (capacity_ + n) * 2;
    std::string bigger(size, '\0');
    std::memcpy(bigger.data() + size - used, data_ + start_, used);
    heap_.swap(bigger);
    data_ = heap_.data();
    capacity_ = size;
    start_ = size - used;
}

void ReverseWriter::Bytes(std::string_view bytes) {
    Reserve(bytes.size());
    start_ -= bytes.size();
    if (!bytes.empty()) {
        std::memcpy(data_ + start_, bytes.data(), bytes.size());
    }
}

void ReverseWriter::LongLength(std::size_t n) {
    int count = 0;
    while (n != 0) {
        Byte(static_cast<int>(n & 0xFF));
        n >>= 8;
        ++count;
    }
    Byte(0x80 + count);
}

void ReverseWriter::Signed(std::int32_t n) {
    // Same bytes as EncodeSigned, written back to front.
    auto pattern = static_cast<std::uint32_t>(n);
    if (n < 0) {
        for (int i = 0; i < 4; ++i) {
            Byte(static_cast<int>(pattern & 0xFF));
            pattern >>= 8;
        }
        return;
    }
    int last = 0;
    do {
        last = static_cast<int>(pattern & 0xFF);
        Byte(last);
        pattern >>= 8;
    } while (pattern != 0);
    if (last >= 0x80) {
        Byte(0);
    }
}

void ReverseWriter::SubId(std::uint32_t n) {
    Byte(static_cast<int>(n & 0x7F));
    n >>= 7;
    while (n != 0) {
        Byte(static_cast<int>(0x80 | (n & 0x7F)));
        n >>= 7;
    }
}

void ReverseWriter::Oid(std::string_view text) {
    constexpr std::uint64_t kTenDigits = 1000000000ULL;
    const std::uint32_t first = TakeArc(text);
    const std::uint32_t second = TakeArc(text);
    // The rest, read from the back. Taking parts from the front drops one
    // trailing dot and nothing else, so drop it here too.
    if (!text.empty() && text.back() == '.') {
        text.remove_suffix(1);
    }
    if (!text.empty()) {
        // Digits of one part, least significant first; an empty part, one that
        // is not all digits or one above 32 bits is the arc 0.
        std::uint64_t value = 0;
        std::uint64_t scale = 1;
        bool numeric = true;
        bool empty = true;
        for (std::size_t i = text.size(); i-- > 0;) {
            const char c = text[i];
            if (c == '.') {
                SubId(numeric && !empty && value <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(value)
                                                                : 0);
                value = 0;
                scale = 1;
                numeric = true;
                empty = true;
                continue;
            }
            empty = false;
            if (c < '0' || c > '9') {
                numeric = false;
                continue;
            }
            if (c != '0') {
                if (scale > kTenDigits) {
                    numeric = false;  // more digits than a 32-bit arc has
                } else {
                    value += static_cast<std::uint64_t>(c - '0') * scale;
                }
            }
            scale = scale > kTenDigits ? scale : scale * 10;  // leading zeros may go on
        }
        SubId(numeric && !empty && value <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(value) : 0);
    }
    SubId(first * 40 + second);
}

std::string ReverseWriter::Take() {
    return std::string(data_ + start_, Size());
}

}  // namespace pulsewell::snmp
