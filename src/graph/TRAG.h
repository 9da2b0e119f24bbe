#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "graph/GraphColor.h"
#include "graph/TGraphArray.h"

namespace pulsewell {

// The threshold graph engine: draws its series over a grid into an off-screen
// bitmap and hands the result out as a picture. All series share one vertical
// scale, with some headroom above the largest maximum of the visible lines.
class TRAG {
  public:
    enum TCaptionCorner { TopLeft, TopRight, BottomLeft, BottomRight };

    TRAG(int width, int height);

    void SetGridX(int samples);
    // Held in 64 bits so that a tenth of any 64-bit maximum fits.
    void SetGridY(std::int64_t valueUnits) { gridY_ = valueUnits; }
    void SetHeadroom(int percent) { headroom_ = percent; }
    void SetXStep(double pixels) { xStep_ = pixels; }

    TRAGGraph& AddGraph(int capacity, TColor color, TGraphStyle style);
    TGraphArray& Graphs() { return graphs_; }
    const TGraphArray& Graphs() const { return graphs_; }

    // Appends to series index (ignored when there is no such series). A lone
    // series that scrolls also scrolls the vertical grid with it.
    void AddValue(int index, std::int64_t value);
    // Appends a slot without a sample to series index.
    void AddGap(int index);

    void Redraw(bool rescale);
    // The picture of the last redraw. Redraws draw into it in place; a copy of
    // the QImage keeps its pixels, since a redraw leaves a shared picture to
    // its holders and draws a fresh one.
    const QImage& Picture() const { return bitmap_; }

    // Corner captions: empty and hidden unless set.
    void SetCaption(TCaptionCorner corner, const QString& text, bool show);
    void SetOpaqueCaptions(bool opaque) { opaqueCaptions_ = opaque; }

    double YScale() const { return yScale_; }
    double XStep() const { return xStep_; }
    int GridX() const { return gridX_; }
    std::int64_t GridY() const { return gridY_; }
    int GridPhase() const { return gridPhase_; }
    int Headroom() const { return headroom_; }

  private:
    struct Caption {
        QString text;
        bool show = false;
    };

    // Everything the grid's pixels depend on, colours as drawn.
    struct GridKey {
        QRgb background;
        QRgb outline;
        QRgb grid;
        int gridX;
        int phase;
        std::int64_t gridY;
        std::uint64_t xStepBits;  // bits, so that a NaN step still matches itself
        std::uint64_t yScaleBits;
        bool operator==(const GridKey&) const = default;
    };

    void Rescale();
    GridKey CurrentGridKey() const;
    void DrawGrid(const GridKey& key);
    void CopyGridToPicture();
    void DrawCaptions();

    int width_;
    int height_;
    TGraphArray graphs_;
    QImage bitmap_;
    QImage gridBitmap_;
    std::optional<GridKey> gridKey_;  // what gridBitmap_ holds; none before the first grid
    double yScale_ = 0.0;
    double xStep_ = 2.0;
    int gridX_ = 10;
    std::int64_t gridY_ = 10;
    int gridPhase_ = 0;
    int headroom_ = 10;
    TColor gridColor_ = 0x808080;
    TColor backgroundColor_ = 0xFFFFFF;
    TColor captionColor_ = 0x000000;
    // The grid canvas' pen outlines the background; it is black until the
    // first grid has been drawn and the grid colour from then on.
    TColor gridCanvasPen_ = 0x000000;
    bool opaqueCaptions_ = false;
    std::array<Caption, 4> captions_;
};

}  // namespace pulsewell
