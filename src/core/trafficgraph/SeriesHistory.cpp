#include "core/trafficgraph/SeriesHistory.h"

#include <algorithm>

namespace pulsewell {

void SeriesHistory::Add(std::int64_t value) {
    values_.push_back(value);
    maxValue_ = std::max(maxValue_, value);
    if (Count() > capacity_) {
        values_.pop_front();
        maxValue_ = 0;
        for (const std::int64_t kept : values_) {
            maxValue_ = std::max(maxValue_, kept);
        }
    }
}

std::int64_t SeriesHistory::MaxOfNewest(int count) const {
    if (count >= Count()) {
        return maxValue_;
    }
    std::int64_t largest = 0;
    for (auto it = values_.end() - count; it != values_.end(); ++it) {
        largest = std::max(largest, *it);
    }
    return largest;
}

void SeriesHistory::Clear() {
    values_.clear();
    maxValue_ = 0;
}

}  // namespace pulsewell
