#include "app/HistoryGraphPicture.h"

#include <algorithm>

#include "app/TrafficGraphPicture.h"
#include "core/numbers/NumberText.h"

namespace pulsewell {

namespace {

// Four horizontal grid lines up to the largest value, twelve columns.
constexpr int kGridLines = 4;
constexpr int kGridColumns = 12;
constexpr int kAllDigits = 19;

}  // namespace

HistoryGraphPicture::HistoryGraphPicture(const HistoryView& view, QSize size)
    : engine_(TrafficGraphPicture::NewEngine(size)) {
    const std::vector<history::Point>& points = view.Points();
    const int count = static_cast<int>(points.size());
    const TrafficSeries in = view.ShowsBytes() ? TrafficSeries::InBytes : TrafficSeries::InBits;
    const TrafficSeries out = view.ShowsBytes() ? TrafficSeries::OutBytes : TrafficSeries::OutBits;
    engine_->AddGraph(count, TrafficGraphPicture::SeriesColor(in), gsLine)
        .SetPenWidth(TrafficGraphPicture::kPenWidth);
    engine_->AddGraph(count, TrafficGraphPicture::SeriesColor(out), gsLine)
        .SetPenWidth(TrafficGraphPicture::kPenWidth);
    engine_->AddGraph(count, TrafficGraphPicture::SeriesColor(in), gsLine);
    engine_->AddGraph(count, TrafficGraphPicture::SeriesColor(out), gsLine);
    // The points spread over the whole width, the first at the left edge, the last at the right.
    engine_->SetGridX(std::max(1, count / kGridColumns));
    engine_->SetXStep(count > 1 ? static_cast<double>(size.width() - 1) / (count - 1) : 0.0);

    std::int64_t largest = 0;
    const auto add = [&](int series, const std::optional<std::int64_t>& value) {
        if (value) {
            engine_->AddValue(series, *value);
            largest = std::max(largest, *value);
        } else {
            engine_->AddGap(series);
        }
    };
    for (const history::Point& point : points) {
        add(In, view.Shown(point.inRate));
        add(Out, view.Shown(point.outRate));
        add(InPercentile, view.InPercentile());
        add(OutPercentile, view.OutPercentile());
    }
    const std::int64_t top = largest + largest * engine_->Headroom() / 100;
    engine_->SetGridY(std::max<std::int64_t>(1, top / kGridLines));
    engine_->SetOpaqueCaptions(true);
    engine_->SetCaption(TRAG::TopLeft, GroupedIntegerText(top, kAllDigits) + u' ' + view.UnitText(),
                        true);
    engine_->Redraw(true);
}

}  // namespace pulsewell
