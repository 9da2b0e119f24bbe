#pragma once

#include <QSize>
#include <memory>

#include "core/trafficgraph/HistoryView.h"
#include "graph/TRAG.h"

namespace pulsewell {

// The history view drawn by the main graph's engine, in its colours: IN and
// OUT across the whole width with a gap where a point has no rate, and each
// direction's 95th percentile as a thin line across the graph.
class HistoryGraphPicture {
  public:
    enum Series { In, Out, InPercentile, OutPercentile };

    HistoryGraphPicture(const HistoryView& view, QSize size);

    const QImage& Picture() const { return engine_->Picture(); }
    const TRAG& Engine() const { return *engine_; }

  private:
    std::unique_ptr<TRAG> engine_;
};

}  // namespace pulsewell
