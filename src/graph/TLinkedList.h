#pragma once

#include <cstdint>
#include <vector>

namespace pulsewell {

// The sample store of one series: a list of 64-bit values, oldest first.
// Kept as a growing ring so that reading by index and dropping the oldest
// value cost constant time however long the history is.
class TLinkedList {
  public:
    int Count() const { return count_; }

    // Appends at the end.
    void Add(std::int64_t value);

    // GetItem(0), then drops that value (nothing to drop on an empty list).
    std::int64_t RemoveFirst();

    // The value at index; -1 for any index past the end.
    std::int64_t GetItem(int index) const;

    void Clear();

  private:
    std::vector<std::int64_t> slots_;
    int head_ = 0;
    int count_ = 0;
};

}  // namespace pulsewell
