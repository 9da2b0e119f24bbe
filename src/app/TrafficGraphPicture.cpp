#include "app/TrafficGraphPicture.h"

#include <algorithm>

namespace pulsewell {

namespace {

struct SeriesLook {
    TColor color;
    TGraphStyle style;
};

// In the order of the series' numbers: input, output and combined bit/s; the
// same in byte/s; utilization in percent.
constexpr SeriesLook kSeries[TrafficGraph::kSeriesCount] = {
    {0x00FF00, gsLine}, {0xFF0000, gsLine}, {0x0000FF, gsLine},        {0x00FF00, gsLine},
    {0xFF0000, gsLine}, {0x0000FF, gsLine}, {0x00FF00, gsPercentBars},
};

constexpr int kGridX = 10;
constexpr int kHeadroomPercent = 3;
constexpr double kXStep = 3.0;
constexpr int kUtilization = static_cast<int>(TrafficSeries::Utilization);

}  // namespace

TrafficGraphPicture::TrafficGraphPicture(TrafficGraph& graph, QObject* parent)
    : QObject(parent), graph_(graph) {
    Build();
    connect(&graph, &TrafficGraph::Restarted, this, &TrafficGraphPicture::Build);
    connect(&graph, &TrafficGraph::SeriesCleared, this, &TrafficGraphPicture::Clear);
    connect(&graph, &TrafficGraph::SampleAdded, this,
            [this](TrafficSeries series, std::int64_t value) {
                engine_->AddValue(static_cast<int>(series), value);
            });
    connect(&graph, &TrafficGraph::RedrawDue, this, &TrafficGraphPicture::Draw);
    Draw();
}

TrafficGraphPicture::~TrafficGraphPicture() = default;

TColor TrafficGraphPicture::SeriesColor(TrafficSeries series) {
    return kSeries[static_cast<int>(series)].color;
}

std::unique_ptr<TRAG> TrafficGraphPicture::NewEngine(QSize size) {
    auto engine = std::make_unique<TRAG>(size.width(), size.height());
    engine->SetGridX(kGridX);
    engine->SetHeadroom(kHeadroomPercent);
    return engine;
}

void TrafficGraphPicture::Resize(QSize size) {
    size_ = size.expandedTo(QSize(static_cast<int>(kXStep), 1));
    Build();
    graph_.SetShownSamples(Columns());
}

int TrafficGraphPicture::Columns() const {
    return static_cast<int>(size_.width() / kXStep);
}

void TrafficGraphPicture::Build() {
    const int columns = Columns();
    auto engine = NewEngine(size_);
    for (const SeriesLook& series : kSeries) {
        engine->AddGraph(columns, series.color, series.style).SetPenWidth(kPenWidth);
    }
    engine->SetXStep(kXStep);
    for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
        const std::deque<std::int64_t>& values =
            graph_.Series(static_cast<TrafficSeries>(i)).Values();
        const auto skipped = values.size() - std::min<std::size_t>(values.size(), columns);
        for (auto it = values.begin() + static_cast<std::ptrdiff_t>(skipped); it != values.end();
             ++it) {
            engine->AddValue(i, *it);
        }
    }
    engine_ = std::move(engine);
}

void TrafficGraphPicture::Clear() {
    for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
        engine_->Graphs()[i].Clear();
    }
}

void TrafficGraphPicture::Draw() {
    engine_->SetGridY(graph_.GridY());
    for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
        engine_->Graphs()[i].SetVisible(graph_.Visible(static_cast<TrafficSeries>(i)));
    }
    TRAGGraph& bars = engine_->Graphs()[kUtilization];
    const TUtilizationBars& look = graph_.Bars();
    bars.SetLowThreshold(look.LowThreshold);
    bars.SetHighThreshold(look.HighThreshold);
    bars.SetColor(look.LowColor);
    bars.SetMidColor(look.MidColor);
    bars.SetHighColor(look.HighColor);
    engine_->Redraw(true);
    emit Drawn();
}

}  // namespace pulsewell
