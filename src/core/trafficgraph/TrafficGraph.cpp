#include "TrafficGraph.h"

#include <array>

#include "GraphRound.h"
#include "ScaleCaption.h"

namespace pulsewell {

namespace {

struct SeriesSetup {
    TColor color;
    TGraphStyle style;
};

// In order of their numbers: input, output and combined bit/s; the same in
// byte/s; utilization in percent.
constexpr std::array<SeriesSetup, TrafficGraph::kSeriesCount> kSeries{{
    {0x00FF00, gsLine},
    {0xFF0000, gsLine},
    {0x0000FF, gsLine},
    {0x00FF00, gsLine},
    {0xFF0000, gsLine},
    {0x0000FF, gsLine},
    {0x00FF00, gsPercentBars},
}};

constexpr int kGridX = 10;
constexpr int kHeadroomPercent = 3;
constexpr double kXStep = 3.0;
constexpr int kPenWidth = 2;
constexpr std::int64_t kUtilizationGridY = 17;

}  // namespace

TrafficGraph::TrafficGraph(QObject* parent) : QObject(parent) {
    SetUp();
}

TrafficGraph::~TrafficGraph() = default;

void TrafficGraph::SetUp(int width, int height) {
    auto engine = std::make_unique<TRAG>(width, height);
    engine->SetGridX(kGridX);
    engine->SetGridY(10);
    engine->SetHeadroom(kHeadroomPercent);
    for (const SeriesSetup& series : kSeries) {
        engine->AddGraph(kCapacity, series.color, series.style);
    }
    TRAGGraph& utilization = engine->Graphs()[kUtilizationSeries];
    utilization.SetLowThreshold(30);
    utilization.SetHighThreshold(70);
    utilization.SetMidColor(0x00FFFF);
    utilization.SetHighColor(0x0000FF);
    engine->SetXStep(kXStep);
    for (int i = 0; i < kSeriesCount; ++i) {
        engine->Graphs()[i].SetPenWidth(kPenWidth);
    }
    engine->Redraw(true);
    engine_ = std::move(engine);
    emit Changed();
}

void TrafficGraph::ApplyGraphType(TGraphType type, bool showBytes) {
    type_ = type;
    SetShowBytes(showBytes);
    SetSeriesVisibility();
    const bool values = type != TGraphType::Utilization;
    for (TGraphCaption* caption : {&captions_.Top, &captions_.ThreeQuarter, &captions_.Half,
                                   &captions_.Quarter, &captions_.Unit}) {
        caption->Visible = values;
    }
    for (TGraphCaption* caption : {&captions_.Percent100, &captions_.Percent75,
                                   &captions_.Percent50, &captions_.Percent25}) {
        caption->Visible = !values;
    }
    captions_.Bottom.Text = values ? QStringLiteral("0") : QStringLiteral("0%");
    Graphupdate();
}

void TrafficGraph::Graphupdate() {
    SetSeriesVisibility();
    if (type_ == TGraphType::Utilization) {
        engine_->SetGridY(kUtilizationGridY);
    } else {
        UpdateScale(LargestShownValue());
    }
    engine_->Redraw(true);
    emit Changed();
}

void TrafficGraph::SetShowBytes(bool showBytes) {
    showBytes_ = showBytes;
    captions_.Unit.Text = showBytes ? QStringLiteral("Bytes/sec") : QStringLiteral("Bit/sec");
    emit Changed();
}

void TrafficGraph::ClearSeries() {
    for (int i = 0; i < kSeriesCount; ++i) {
        engine_->Graphs()[i].Clear();
    }
}

void TrafficGraph::AddSample(int series, std::int64_t value) {
    engine_->AddValue(series, value);
}

void TrafficGraph::SetLowThreshold(std::int64_t percent) {
    engine_->Graphs()[kUtilizationSeries].SetLowThreshold(percent);
}

void TrafficGraph::SetHighThreshold(std::int64_t percent) {
    engine_->Graphs()[kUtilizationSeries].SetHighThreshold(percent);
}

void TrafficGraph::SetLowColor(TColor color) {
    engine_->Graphs()[kUtilizationSeries].SetColor(color);
}

void TrafficGraph::SetMidColor(TColor color) {
    engine_->Graphs()[kUtilizationSeries].SetMidColor(color);
}

void TrafficGraph::SetHighColor(TColor color) {
    engine_->Graphs()[kUtilizationSeries].SetHighColor(color);
}

void TrafficGraph::ZeroScaleCaptions() {
    for (TGraphCaption* caption :
         {&captions_.Top, &captions_.ThreeQuarter, &captions_.Half, &captions_.Quarter}) {
        caption->Text = QStringLiteral("0");
    }
    emit Changed();
}

void TrafficGraph::SetSeriesVisibility() {
    // Input and output series of the chosen unit, or its combined series.
    const int unitOffset = showBytes_ ? 3 : 0;
    std::array<bool, kSeriesCount> visible{};
    switch (type_) {
        case TGraphType::Separate:
            visible[unitOffset] = true;
            visible[unitOffset + 1] = true;
            break;
        case TGraphType::Combined:
            visible[unitOffset + 2] = true;
            break;
        case TGraphType::Utilization:
            visible[kUtilizationSeries] = true;
            break;
    }
    for (int i = 0; i < kSeriesCount; ++i) {
        engine_->Graphs()[i].SetVisible(visible[static_cast<std::size_t>(i)]);
    }
}

std::int64_t TrafficGraph::LargestShownValue() const {
    const int unitOffset = showBytes_ ? 3 : 0;
    const TGraphArray& graphs = engine_->Graphs();
    if (type_ == TGraphType::Combined) {
        return graphs[unitOffset + 2].MaxValue();
    }
    const std::int64_t in = graphs[unitOffset].MaxValue();
    const std::int64_t out = graphs[unitOffset + 1].MaxValue();
    return out >= in ? out : in;
}

void TrafficGraph::UpdateScale(std::int64_t largest) {
    // About one line per tenth of the largest value; between 1 and 10 the
    // spacing stays as it was. The engine's 64-bit spacing takes a tenth of
    // any maximum, so the lines keep their distance for huge values too.
    if (largest == 0) {
        engine_->SetGridY(10);
    } else if (largest > 10 && largest <= 20) {
        engine_->SetGridY(2);
    } else if (largest > 20) {
        engine_->SetGridY(largest / 10);
    }
    const long double m = static_cast<long double>(largest);
    captions_.Top.Text = ScaleCaptionText(largest);
    captions_.ThreeQuarter.Text = ScaleCaptionText(RoundExtended(m / 4 * 3));
    captions_.Half.Text = ScaleCaptionText(RoundExtended(m / 2));
    captions_.Quarter.Text = ScaleCaptionText(RoundExtended(m / 4));
}

}  // namespace pulsewell
