#pragma once

#include <memory>
#include <vector>

#include "graph/TRAGGraph.h"

namespace pulsewell {

// The engine's series in the order they were added; a series' index is its
// position. The series are the engine's own objects, so changing one through
// this array changes what the next redraw draws.
class TGraphArray {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    TRAGGraph& operator[](int index) { return *items_[static_cast<std::size_t>(index)]; }
    const TRAGGraph& operator[](int index) const {
        return *items_[static_cast<std::size_t>(index)];
    }

    TRAGGraph& Add(int capacity) {
        items_.push_back(std::make_unique<TRAGGraph>(capacity));
        return *items_.back();
    }

  private:
    std::vector<std::unique_ptr<TRAGGraph>> items_;
};

}  // namespace pulsewell
