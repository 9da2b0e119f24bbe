#pragma once

#include <cstdint>
#include <deque>

namespace pulsewell {

// One series of the traffic graph: its last samples, at most a capacity of
// them, and their maximum (0 when none is above 0).
class SeriesHistory {
  public:
    explicit SeriesHistory(int capacity) : capacity_(capacity) {}

    // Appends a sample; past the capacity the oldest one goes and the
    // maximum is taken again over what is left.
    void Add(std::int64_t value);
    void Clear();
    int Count() const { return static_cast<int>(values_.size()); }
    std::int64_t MaxValue() const { return maxValue_; }
    // The maximum of the newest `count` samples (0 when none is above 0).
    std::int64_t MaxOfNewest(int count) const;
    const std::deque<std::int64_t>& Values() const { return values_; }

  private:
    std::deque<std::int64_t> values_;
    int capacity_;
    std::int64_t maxValue_ = 0;
};

}  // namespace pulsewell
