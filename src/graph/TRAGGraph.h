#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "graph/GraphColor.h"
#include "graph/TLinkedList.h"

namespace pulsewell {

// How a series is drawn. The numbering leaves room for an absolute-bar style (1)
// and a filled-area style (3), which this program does not offer.
enum TGraphStyle : std::uint8_t {
    gsLine = 0,
    gsPercentBars = 2,
};

// One series of the graph: a bounded history of samples with its running
// maximum, and how to draw it.
class TRAGGraph {
  public:
    explicit TRAGGraph(int capacity);

    // Appends a sample; once the history exceeds the capacity the oldest one
    // goes and the maximum is taken again over what is left.
    void AddValue(std::int64_t value);
    // Appends a slot without a sample: no line is drawn to or from it.
    void AddGap();
    void Clear();

    std::int64_t MaxValue() const { return maxValue_; }
    const TLinkedList& Values() const { return values_; }
    // Whether the slot at index (below the count) is a gap.
    bool IsGap(std::size_t index) const { return !gaps_.empty() && gaps_[index]; }
    // Pixel positions of the samples held now, placed as by the last
    // CalcPoints (before any: one unset point per slot). Worked out when
    // asked, since CalcPoints works out only the points a redraw can draw.
    const std::vector<QPoint>& Points() const;
    TGraphStyle Style() const { return style_; }
    std::int32_t LowThreshold() const { return lowThreshold_; }
    std::int32_t HighThreshold() const { return highThreshold_; }
    bool Visible() const { return visible_; }
    TColor Color() const { return color_; }
    TColor MidColor() const { return midColor_; }
    TColor HighColor() const { return highColor_; }

    void SetColor(TColor color) { color_ = color; }
    void SetMidColor(TColor color) { midColor_ = color; }
    void SetHighColor(TColor color) { highColor_ = color; }
    // Thresholds are percent; only the low 32 bits of the argument are kept.
    void SetLowThreshold(std::int64_t percent) {
        lowThreshold_ = static_cast<std::int32_t>(percent);
    }
    void SetHighThreshold(std::int64_t percent) {
        highThreshold_ = static_cast<std::int32_t>(percent);
    }
    void SetPenWidth(int width) { penWidth_ = width; }
    void SetStyle(TGraphStyle style) { style_ = style; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Pixel positions of the samples: lines get the row of each sample, bars
    // their height. Used by the engine's redraw only; Draw draws what the
    // last CalcPoints placed, on a canvas of the width given to it.
    void CalcPoints(int width, int height, double yScale, double xStep);
    void Draw(QImage& canvas, int height, double yScale) const;

  private:
    struct Placement {
        int height;
        double yScale;
        double xStep;
        // The step when it is a whole number of at most 2^31 pixels, else 0: then
        // index * step is exact in 64-bit integers, as it is in extended precision.
        std::int64_t wholeStep;
    };

    void Append(std::int64_t value, bool gap);
    QPoint PointAt(int index, const Placement& placement) const;
    void DrawPolyline(QImage& canvas) const;
    void DrawBars(QImage& canvas, int height, double yScale) const;

    TLinkedList values_;
    // Which slots are gaps; empty as long as there are none.
    std::deque<bool> gaps_;
    int capacity_;
    std::int64_t maxValue_ = 0;
    TGraphStyle style_ = gsLine;
    TColor color_ = 0x008000;
    TColor midColor_ = 0x00FFFF;
    TColor highColor_ = 0x0000FF;
    std::int32_t lowThreshold_ = 40;
    std::int32_t highThreshold_ = 70;
    int penWidth_ = 0;
    bool visible_ = true;
    std::optional<Placement> placement_;  // of the last CalcPoints
    std::vector<QPoint> drawn_;           // the points within the picture's reach
    mutable std::vector<QPoint> points_;  // all of them, when asked
    mutable bool pointsStale_ = false;
    bool pointsAscend_ = true;  // x grows with the index, so off-screen runs can be skipped
};

}  // namespace pulsewell
