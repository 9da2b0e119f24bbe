#pragma once

#include <QImage>
#include <QObject>
#include <memory>

#include "TRAG.h"
#include "TrafficGraph.h"

namespace pulsewell {

// The traffic graph as the window draws it: a threshold graph engine that
// follows the graph's series and settings, and redraws when the graph asks.
class TrafficGraphPicture : public QObject {
    Q_OBJECT
public:
    static constexpr int kWidth = 690;
    static constexpr int kHeight = 170;

    explicit TrafficGraphPicture(const TrafficGraph& graph, QObject* parent = nullptr);
    ~TrafficGraphPicture() override;

    const QImage& Picture() const { return engine_->Picture(); }
    const TRAG& Engine() const { return *engine_; }

signals:
    // A new picture was drawn.
    void Drawn();

private:
    // A new engine with the graph's series.
    void Build();
    void Clear();
    void Draw();

    const TrafficGraph& graph_;
    std::unique_ptr<TRAG> engine_;
};

}  // namespace pulsewell
