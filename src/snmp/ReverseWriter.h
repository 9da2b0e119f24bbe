#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Builds BER from the innermost byte outwards, so that every length is known
// when its header is written and no item is copied into its parent.
namespace pulsewell::snmp {

class ReverseWriter {
  public:
    ReverseWriter() = default;
    ReverseWriter(const ReverseWriter&) = delete;
    ReverseWriter& operator=(const ReverseWriter&) = delete;

    std::size_t Size() const { return capacity_ - start_; }
    void Byte(int b) {
        if (start_ == 0) {
            Grow(1);
        }
        data_[--start_] = static_cast<char>(b);
    }
    void Bytes(std::string_view bytes) {
        if (start_ < bytes.size()) {
            Grow(bytes.size());
        }
        start_ -= bytes.size();
        if (!bytes.empty()) {
            std::memcpy(data_ + start_, bytes.data(), bytes.size());
        }
    }
    void Length(std::size_t n) {
        if (n < 128) {
            Byte(static_cast<int>(n));
        } else {
            LongLength(n);
        }
    }
    // Type byte and length in front of what was written since mark = Size().
    void Header(int type, std::size_t mark) {
        Length(Size() - mark);
        Byte(type);
    }
    void Signed(std::int32_t n);
    // Object identifier contents from dotted text, by OidToBytes's encoder.
    void Oid(std::string_view text);
    std::string Take();
    // What was written so far, valid until the next write.
    std::string_view View() const { return {data_ + start_, Size()}; }

  private:
    // Room for n more bytes in front, where there is not.
    void Grow(std::size_t n);
    void LongLength(std::size_t n);

    // A message fits the local buffer; bigger ones move to the heap.
    char local_[512];
    std::string heap_;
    char* data_ = local_;
    std::size_t capacity_ = sizeof local_;
    std::size_t start_ = sizeof local_;
    // Reused for every identifier of a message; short ones need no heap.
    std::string oidBytes_;
};

}  // namespace pulsewell::snmp
