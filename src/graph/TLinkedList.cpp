#include "graph/TLinkedList.h"

#include <algorithm>
#include <cstddef>

namespace pulsewell {

void TLinkedList::Add(std::int64_t value) {
    const int size = static_cast<int>(slots_.size());
    if (count_ == size) {
        // Unroll the ring into a larger one, oldest value first.
        std::vector<std::int64_t> grown(std::max<std::size_t>(8, slots_.size() * 2));
        for (int i = 0; i < count_; ++i) {
            grown[static_cast<std::size_t>(i)] = GetItem(i);
        }
        slots_.swap(grown);
        head_ = 0;
    }
    slots_[static_cast<std::size_t>((head_ + count_) % static_cast<int>(slots_.size()))] = value;
    ++count_;
}

std::int64_t TLinkedList::RemoveFirst() {
    const std::int64_t first = GetItem(0);
    if (count_ > 0) {
        head_ = head_ + 1 == static_cast<int>(slots_.size()) ? 0 : head_ + 1;
        --count_;
    }
    return first;
}

std::int64_t TLinkedList::GetItem(int index) const {
    if (index < 0 || index >= count_) {
        return -1;
    }
    // A conditional wrap instead of a division: this sits in the drawing loop.
    int slot = head_ + index;
    const int size = static_cast<int>(slots_.size());
    if (slot >= size) {
        slot -= size;
    }
    return slots_[static_cast<std::size_t>(slot)];
}

void TLinkedList::Clear() {
    slots_.clear();
    head_ = 0;
    count_ = 0;
}

}  // namespace pulsewell
