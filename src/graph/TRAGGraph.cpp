#include "graph/TRAGGraph.h"

#include <algorithm>
#include <cmath>
#include <ranges>

#include "graph/GraphRound.h"
#include "graph/Raster.h"

namespace pulsewell {

namespace {

// Coordinates handed to the line drawing stay within this range: far enough
// out that a clamped segment crosses the picture the same way, near enough
// that its integer arithmetic cannot overflow.
constexpr int kFarAway = 1 << 24;

[[gnu::always_inline]] inline QPoint Clamped(QPoint p) {
    return {std::clamp(p.x(), -kFarAway, kFarAway), std::clamp(p.y(), -kFarAway, kFarAway)};
}

// Index range [first, last) of the points that can touch columns 0..width-1
// with a pen of the given width, plus one neighbour on each side so that the
// segments leaving the picture are kept.
std::pair<std::size_t, std::size_t> VisibleRange(const std::vector<QPoint>& points, int width,
                                                 int pen) {
    const int left = -pen - 1;
    const int right = width + pen + 1;
    auto first = std::lower_bound(points.begin(), points.end(), left,
                                  [](const QPoint& p, int x) { return p.x() < x; });
    auto last = std::upper_bound(first, points.end(), right,
                                 [](int x, const QPoint& p) { return x < p.x(); });
    if (first != points.begin()) {
        --first;
    }
    if (last != points.end()) {
        ++last;
    }
    return {static_cast<std::size_t>(first - points.begin()),
            static_cast<std::size_t>(last - points.begin())};
}

}  // namespace

TRAGGraph::TRAGGraph(int capacity) : capacity_(capacity), points_(std::max(capacity, 0)) {}

void TRAGGraph::AddValue(std::int64_t value) {
    Append(value, false);
}

void TRAGGraph::AddGap() {
    Append(0, true);
}

void TRAGGraph::Append(std::int64_t value, bool gap) {
    pointsStale_ = placement_.has_value();
    if (gap && gaps_.empty()) {
        gaps_.assign(static_cast<std::size_t>(values_.Count()), false);
    }
    if (!gaps_.empty()) {
        gaps_.push_back(gap);
    }
    values_.Add(value);
    if (value > maxValue_) {
        maxValue_ = value;
    }
    if (values_.Count() > capacity_) {
        values_.RemoveFirst();
        if (!gaps_.empty()) {
            gaps_.pop_front();
        }
        maxValue_ = 0;
        for (int i = 0; i < values_.Count(); ++i) {
            maxValue_ = std::max(maxValue_, values_.GetItem(i));
        }
    }
}

void TRAGGraph::Clear() {
    pointsStale_ = placement_.has_value();
    values_.Clear();
    gaps_.clear();
    maxValue_ = 0;
}

const std::vector<QPoint>& TRAGGraph::Points() const {
    if (pointsStale_) {
        points_.resize(static_cast<std::size_t>(values_.Count()));
        for (int i = 0; i < values_.Count(); ++i) {
            points_[static_cast<std::size_t>(i)] = PointAt(i, *placement_);
        }
        pointsStale_ = false;
    }
    return points_;
}

QPoint TRAGGraph::PointAt(int index, const Placement& placement) const {
    const long double v = static_cast<long double>(values_.GetItem(index));
    const int x = placement.wholeStep != 0
                      ? NarrowToPixel(index * placement.wholeStep)
                      : RoundToPixel(index * static_cast<long double>(placement.xStep));
    // Pixel arithmetic on the rounded value in 64 bits, narrowed at the end.
    std::int64_t y;
    if (style_ == gsPercentBars) {
        y = SaturatingAdd(RoundExtended(v / 100 * (placement.height - 6)), 3);
    } else {
        const std::int64_t rise = RoundExtended(v * placement.yScale);
        // -INT64_MIN does not exist; one pixel less changes nothing after narrowing.
        y = SaturatingAdd(std::int64_t{placement.height} - 3,
                          rise == INT64_MIN ? INT64_MAX : -rise);
    }
    return {x, NarrowToPixel(y)};
}

void TRAGGraph::CalcPoints(int width, int height, double yScale, double xStep) {
    const bool whole = std::trunc(xStep) == xStep && std::fabs(xStep) <= 2147483648.0;
    placement_ = Placement{height, yScale, xStep, whole ? static_cast<std::int64_t>(xStep) : 0};
    pointsStale_ = true;
    pointsAscend_ = xStep > 0;
    const int count = values_.Count();
    int last = count;
    if (pointsAscend_) {
        // x grows from 0 with the index: only the samples up to the first one
        // past the widest brush's reach of the last column; a long history
        // lies mostly beyond it.
        const std::int64_t reach = std::int64_t{width} + kLargestBrush + 1;
        const auto indexes = std::views::iota(0, count);
        last = static_cast<int>(
            std::ranges::partition_point(
                indexes,
                [&](int i) { return RoundToPixel(i * static_cast<long double>(xStep)) <= reach; }) -
            indexes.begin());
        last = std::min(last + 1, count);
    }
    drawn_.resize(static_cast<std::size_t>(last));
    for (int i = 0; i < last; ++i) {
        drawn_[static_cast<std::size_t>(i)] = PointAt(i, *placement_);
    }
}

void TRAGGraph::Draw(QImage& canvas, int height, double yScale) const {
    if (!visible_) {
        return;
    }
    if (style_ == gsPercentBars) {
        DrawBars(canvas, height, yScale);
    } else {
        DrawPolyline(canvas);
    }
}

// One poly-line through the points; like every line it leaves out its last
// point. Pen widths 0 and 1 both give the thin one-pixel line.
void TRAGGraph::DrawPolyline(QImage& canvas) const {
    const QRgb color = ToQColor(color_).rgb();
    const int pen = std::max(penWidth_, 1);
    auto [first, last] = pointsAscend_ ? VisibleRange(drawn_, canvas.width(), pen)
                                       : std::pair<std::size_t, std::size_t>{0, drawn_.size()};
    const RasterCanvas raster(canvas);
    const auto count = static_cast<std::size_t>(values_.Count());
    for (std::size_t i = first; i < last; ++i) {
        if (IsGap(i)) {
            continue;
        }
        if (i + 1 < last && !IsGap(i + 1)) {
            DrawLine(raster, Clamped(drawn_[i]), Clamped(drawn_[i + 1]), pen, color);
        } else if (!gaps_.empty() && (i == 0 || IsGap(i - 1)) && (i + 1 == count || IsGap(i + 1))) {
            // A sample between gaps has no line: a dot shows it.
            DrawLine(raster, Clamped(drawn_[i]), Clamped(drawn_[i] + QPoint(1, 0)), pen, color);
        }
    }
}

// Each bar is a line from the bottom edge (row height, just outside) up by
// its height; with the line's square pen a bar of two pixels covers its
// column and the one to the left, and rows height - h to height - 1.
void TRAGGraph::DrawBars(QImage& canvas, int height, double yScale) const {
    const int barWidth = std::max(penWidth_, 1);
    const long double fullScale = static_cast<long double>(height) * yScale;
    const QRgb colors[] = {ToQColor(color_).rgb(), ToQColor(midColor_).rgb(),
                           ToQColor(highColor_).rgb()};
    auto [first, last] = pointsAscend_ ? VisibleRange(drawn_, canvas.width(), barWidth)
                                       : std::pair<std::size_t, std::size_t>{0, drawn_.size()};
    const RasterCanvas raster(canvas);
    for (std::size_t i = first; i < last; ++i) {
        const QPoint& point = drawn_[i];
        // The colour follows the percentage read back from the bar's height.
        const std::int64_t percent = RoundExtended(point.y() / fullScale * 100);
        const int band = percent <= lowThreshold_ ? 0 : percent <= highThreshold_ ? 1 : 2;
        // A line up from the bottom edge, drawn like any other line.
        DrawLine(raster, Clamped(QPoint(point.x(), height)),
                 Clamped(QPoint(point.x(), NarrowToPixel(std::int64_t{height} - point.y()))),
                 barWidth, colors[band]);
    }
}

}  // namespace pulsewell
