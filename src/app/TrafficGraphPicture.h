#pragma once

#include <QImage>
#include <QObject>
#include <memory>

#include "core/trafficgraph/TrafficGraph.h"
#include "graph/TRAG.h"

namespace pulsewell {

// The traffic graph as the window draws it: a threshold graph engine that
// follows the graph's series and settings, and redraws when the graph asks.
// Every sample takes three pixel columns, so a wider picture shows more of
// the history the graph holds.
class TrafficGraphPicture : public QObject {
    Q_OBJECT
  public:
    static constexpr int kWidth = 690;
    static constexpr int kHeight = 170;

    // Series are drawn with this pen, in these colours.
    static constexpr int kPenWidth = 2;
    static TColor SeriesColor(TrafficSeries series);
    // An engine of this size with the main graph's grid and headroom.
    static std::unique_ptr<TRAG> NewEngine(QSize size);

    // Tells the graph how many samples fit the picture.
    explicit TrafficGraphPicture(TrafficGraph& graph, QObject* parent = nullptr);
    ~TrafficGraphPicture() override;

    // Draws anew at this size, with as many of the graph's newest samples as fit.
    void Resize(QSize size);

    const QImage& Picture() const { return engine_->Picture(); }
    const TRAG& Engine() const { return *engine_; }

  signals:
    // A new picture was drawn.
    void Drawn();

  private:
    int Columns() const;
    // A new engine with the newest of the graph's series that fit.
    void Build();
    void Clear();
    void Draw();

    TrafficGraph& graph_;
    QSize size_{kWidth, kHeight};
    std::unique_ptr<TRAG> engine_;
};

}  // namespace pulsewell
