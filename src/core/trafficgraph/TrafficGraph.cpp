#include "core/trafficgraph/TrafficGraph.h"

#include <algorithm>

#include "core/trafficgraph/ScaleCaption.h"
#include "graph/GraphRound.h"

namespace pulsewell {

namespace {

constexpr std::int64_t kUtilizationGridY = 17;

std::size_t Index(TrafficSeries series) {
    return static_cast<std::size_t>(series);
}

// The input, output and combined series of the unit.
struct UnitSeries {
    TrafficSeries in;
    TrafficSeries out;
    TrafficSeries combined;
};

UnitSeries OfUnit(bool showBytes) {
    return showBytes ? UnitSeries{TrafficSeries::InBytes, TrafficSeries::OutBytes,
                                  TrafficSeries::CombinedBytes}
                     : UnitSeries{TrafficSeries::InBits, TrafficSeries::OutBits,
                                  TrafficSeries::CombinedBits};
}

}  // namespace

TrafficGraph::TrafficGraph(QObject* parent)
    : QObject(parent), series_{SeriesHistory(kHeldSamples), SeriesHistory(kHeldSamples),
                               SeriesHistory(kHeldSamples), SeriesHistory(kHeldSamples),
                               SeriesHistory(kHeldSamples), SeriesHistory(kHeldSamples),
                               SeriesHistory(kHeldSamples)} {
    SetUp();
}

void TrafficGraph::SetUp() {
    for (SeriesHistory& series : series_) {
        series.Clear();
    }
    pollTimes_.clear();
    pollUtilizations_.clear();
    // A fresh graph shows every series until a type chooses.
    visible_.fill(true);
    gridY_ = 10;
    bars_ = TUtilizationBars{};
    emit Restarted();
    emit RedrawDue();
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
        gridY_ = kUtilizationGridY;
    } else {
        UpdateScale(LargestShownValue());
    }
    emit RedrawDue();
    emit Changed();
}

void TrafficGraph::SetShowBytes(bool showBytes) {
    showBytes_ = showBytes;
    captions_.Unit.Text = showBytes ? QStringLiteral("Bytes/sec") : QStringLiteral("Bit/sec");
    emit Changed();
}

void TrafficGraph::ClearSeries() {
    for (SeriesHistory& series : series_) {
        series.Clear();
    }
    pollTimes_.clear();
    pollUtilizations_.clear();
    emit SeriesCleared();
}

void TrafficGraph::AddSample(TrafficSeries series, std::int64_t value) {
    series_[Index(series)].Add(value);
    emit SampleAdded(series, value);
}

void TrafficGraph::MarkPoll(const QDateTime& time, double utilization) {
    pollTimes_.push_back(time);
    pollUtilizations_.push_back(utilization);
    if (pollTimes_.size() > static_cast<std::size_t>(kHeldSamples)) {
        pollTimes_.pop_front();
        pollUtilizations_.pop_front();
    }
}

void TrafficGraph::SetShownSamples(int count) {
    shown_ = std::clamp(count, 1, kHeldSamples);
    Graphupdate();
}

void TrafficGraph::SetLowThreshold(std::int64_t percent) {
    bars_.LowThreshold = static_cast<std::int32_t>(percent);
}

void TrafficGraph::SetHighThreshold(std::int64_t percent) {
    bars_.HighThreshold = static_cast<std::int32_t>(percent);
}

void TrafficGraph::ZeroScaleCaptions() {
    for (TGraphCaption* caption :
         {&captions_.Top, &captions_.ThreeQuarter, &captions_.Half, &captions_.Quarter}) {
        caption->Text = QStringLiteral("0");
    }
    emit Changed();
}

void TrafficGraph::SetSeriesVisibility() {
    const UnitSeries unit = OfUnit(showBytes_);
    visible_.fill(false);
    switch (type_) {
        case TGraphType::Separate:
            visible_[Index(unit.in)] = true;
            visible_[Index(unit.out)] = true;
            break;
        case TGraphType::Combined:
            visible_[Index(unit.combined)] = true;
            break;
        case TGraphType::Utilization:
            visible_[Index(TrafficSeries::Utilization)] = true;
            break;
    }
}

std::int64_t TrafficGraph::LargestShownValue() const {
    const UnitSeries unit = OfUnit(showBytes_);
    if (type_ == TGraphType::Combined) {
        return Series(unit.combined).MaxOfNewest(shown_);
    }
    const std::int64_t in = Series(unit.in).MaxOfNewest(shown_);
    const std::int64_t out = Series(unit.out).MaxOfNewest(shown_);
    return out >= in ? out : in;
}

void TrafficGraph::UpdateScale(std::int64_t largest) {
    // About one line per tenth of the largest value; between 1 and 10 the
    // spacing stays as it was. The 64-bit spacing takes a tenth of any
    // maximum, so the lines keep their distance for huge values too.
    if (largest == 0) {
        gridY_ = 10;
    } else if (largest > 10 && largest <= 20) {
        gridY_ = 2;
    } else if (largest > 20) {
        gridY_ = largest / 10;
    }
    const long double m = static_cast<long double>(largest);
    captions_.Top.Text = ScaleCaptionText(largest);
    captions_.ThreeQuarter.Text = ScaleCaptionText(RoundExtended(m / 4 * 3));
    captions_.Half.Text = ScaleCaptionText(RoundExtended(m / 2));
    captions_.Quarter.Text = ScaleCaptionText(RoundExtended(m / 4));
}

}  // namespace pulsewell
