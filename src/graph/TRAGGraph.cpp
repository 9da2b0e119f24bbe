#include "TRAGGraph.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "GraphRound.h"

namespace pulsewell {

namespace {

// Coordinates handed to the painter stay within this range: far enough out
// that a clamped segment crosses the picture the same way, near enough that
// the rasteriser's fixed-point arithmetic cannot overflow.
constexpr int kFarAway = 1 << 24;

QPoint Clamped(QPoint p) {
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
    values_.Add(value);
    if (value > maxValue_) {
        maxValue_ = value;
    }
    if (values_.Count() > capacity_) {
        values_.RemoveFirst();
        maxValue_ = 0;
        for (int i = 0; i < values_.Count(); ++i) {
            maxValue_ = std::max(maxValue_, values_.GetItem(i));
        }
    }
}

void TRAGGraph::Clear() {
    values_.Clear();
    maxValue_ = 0;
}

void TRAGGraph::CalcPoints(int /*width*/, int height, double yScale, double xStep) {
    const int count = values_.Count();
    points_.resize(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i) {
        const long double v = static_cast<long double>(values_.GetItem(i));
        const int x = RoundToPixel(i * static_cast<long double>(xStep));
        int y;
        if (style_ == gsPercentBars) {
            y = RoundToPixel(RoundExtended(v / 100 * (height - 6)) + 3.0L);
        } else {
            y = RoundToPixel(height - RoundExtended(v * yScale) - 3.0L);
        }
        points_[static_cast<std::size_t>(i)] = QPoint(x, y);
    }
    pointsAscend_ = xStep > 0;
}

void TRAGGraph::Draw(QPainter& painter, int width, int height, double yScale) const {
    if (!visible_) {
        return;
    }
    if (style_ == gsPercentBars) {
        DrawBars(painter, width, height, yScale);
    } else {
        DrawLine(painter, width);
    }
}

void TRAGGraph::DrawLine(QPainter& painter, int width) const {
    const QColor color = ToQColor(color_);
    // A pen of width 0 or 1 is the thin one-pixel pen; wider pens have round
    // ends and joins like the platform's geometric pens.
    QPen pen(color, std::max(penWidth_, 0), Qt::SolidLine,
             penWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(color);
    auto [first, last] = pointsAscend_ ? VisibleRange(points_, width, std::max(penWidth_, 1))
                                       : std::pair<std::size_t, std::size_t>{0, points_.size()};
    if (last - first < 2) {
        return;
    }
    std::vector<QPoint> visible;
    visible.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        visible.push_back(Clamped(points_[i]));
    }
    painter.drawPolyline(visible.data(), static_cast<int>(visible.size()));
}

// Each bar stands on the bottom edge, is its height in pixels tall and its
// pen width wide (centred on its column, the extra column to the left).
void TRAGGraph::DrawBars(QPainter& painter, int width, int height, double yScale) const {
    const int barWidth = std::clamp(penWidth_, 1, kFarAway);
    const long double fullScale = static_cast<long double>(height) * yScale;
    auto [first, last] = pointsAscend_ ? VisibleRange(points_, width, barWidth)
                                       : std::pair<std::size_t, std::size_t>{0, points_.size()};
    for (std::size_t i = first; i < last; ++i) {
        const QPoint& point = points_[i];
        // The colour follows the percentage read back from the bar's height.
        const std::int64_t percent = RoundExtended(point.y() / fullScale * 100);
        TColor color = highColor_;
        if (percent <= lowThreshold_) {
            color = color_;
        } else if (percent <= highThreshold_) {
            color = midColor_;
        }
        const std::int64_t top =
            std::max<std::int64_t>(std::int64_t{height} - std::min(point.y(), height), 0);
        if (top >= height) {
            continue;  // a bar of no height, or one hanging below the picture
        }
        const int left = std::clamp(point.x() - barWidth / 2, -kFarAway, kFarAway);
        painter.fillRect(left, static_cast<int>(top), barWidth, height - static_cast<int>(top),
                         ToQColor(color));
    }
}

}  // namespace pulsewell
