#include "snmp/ReverseWriter.h"

#include <cstring>

#include "snmp/Ber.h"

namespace pulsewell::snmp {

void ReverseWriter::Grow(std::size_t n) {
    const std::size_t used = Size();
    const std::size_t size = (capacity_ + n) * 2;
    std::string bigger(size, '\0');
    std::memcpy(bigger.data() + size - used, data_ + start_, used);
    heap_.swap(bigger);
    data_ = heap_.data();
    capacity_ = size;
    start_ = size - used;
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

void ReverseWriter::Oid(std::string_view text) {
    oidBytes_.clear();
    AppendOidBytes(oidBytes_, text);
    Bytes(oidBytes_);
}

std::string ReverseWriter::Take() {
    return std::string(data_ + start_, Size());
}

}  // namespace pulsewell::snmp
