#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Builds BER from the innermost byte outwards, so that every length is known
// when its header is written and no item is copied into its parent.
namespace pulsewell::snmp {

class ReverseWriter {
public:
    explicit ReverseWriter(std::size_t capacity = 256);

    std::size_t Size() const { return buffer_.size() - start_; }
    void Byte(int b) {
        if (start_ == 0) {
            Reserve(1);
        }
        buffer_[--start_] = static_cast<char>(b);
    }
    void Bytes(std::string_view bytes);
    void Length(std::size_t n);
    // Type byte and length in front of what was written since mark = Size().
    void Header(int type, std::size_t mark);
    void Signed(std::int32_t n);
    // Object identifier contents from dotted text, as OidToBytes gives them.
    void Oid(std::string_view text);
    std::string Take();

private:
    void Reserve(std::size_t n);

    std::string buffer_;
    std::size_t start_;
};

}  // namespace pulsewell::snmp
