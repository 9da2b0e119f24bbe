#include "ReverseWriter.h"

#include <cstring>
#include <vector>

#include "Ber.h"

namespace pulsewell::snmp {

ReverseWriter::ReverseWriter(std::size_t capacity)
    : buffer_(capacity, '\0'), start_(capacity) {}

void ReverseWriter::Reserve(std::size_t n) {
    if (start_ >= n) {
        return;
    }
    const std::size_t used = Size();
    const std::size_t size = (buffer_.size() + n) * 2;
    std::string bigger(size, '\0');
    std::memcpy(bigger.data() + size - used, buffer_.data() + start_, used);
    buffer_.swap(bigger);
    start_ = size - used;
}

void ReverseWriter::Bytes(std::string_view bytes) {
    Reserve(bytes.size());
    start_ -= bytes.size();
    if (!bytes.empty()) {
        std::memcpy(buffer_.data() + start_, bytes.data(), bytes.size());
    }
}

void ReverseWriter::Length(std::size_t n) {
    if (n < 128) {
        Byte(static_cast<int>(n));
        return;
    }
    int count = 0;
    while (n != 0) {
        Byte(static_cast<int>(n & 0xFF));
        n >>= 8;
        ++count;
    }
    Byte(0x80 + count);
}

void ReverseWriter::Header(int type, std::size_t mark) {
    Length(Size() - mark);
    Byte(type);
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
    // Arcs are read front to back but written back to front.
    std::uint32_t local[64];
    std::vector<std::uint32_t> spill;
    std::size_t count = 0;
    const auto push = [&](std::uint32_t arc) {
        if (count < 64) {
            local[count] = arc;
        } else {
            if (spill.empty()) {
                spill.assign(local, local + 64);
            }
            spill.push_back(arc);
        }
        ++count;
    };
    const std::uint32_t first = TakeArc(text);
    const std::uint32_t second = TakeArc(text);
    push(first * 40 + second);
    while (!text.empty()) {
        push(TakeArc(text));
    }
    const std::uint32_t* arcs = count <= 64 ? local : spill.data();
    for (std::size_t i = count; i-- > 0;) {
        std::uint32_t n = arcs[i];
        Byte(static_cast<int>(n & 0x7F));
        n >>= 7;
        while (n != 0) {
            Byte(static_cast<int>(0x80 | (n & 0x7F)));
            n >>= 7;
        }
    }
}

std::string ReverseWriter::Take() {
    buffer_.erase(0, start_);
    start_ = 0;
    return std::move(buffer_);
}

}  // namespace pulsewell::snmp
