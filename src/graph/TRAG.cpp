#include "graph/TRAG.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "graph/GraphRound.h"
#include "graph/Raster.h"

namespace pulsewell {

namespace {

constexpr const char* kCaptionFamily = "Verdana";
constexpr int kCaptionPointSize = 10;

// Grid steps below one pixel would paint the whole area (or never finish), so
// such a grid direction is left out altogether.
bool UsableStep(long double step) {
    return std::isfinite(step) && step >= 1.0L;
}

}  // namespace

TRAG::TRAG(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      bitmap_(width_, height_, QImage::Format_RGB32),
      gridBitmap_(width_, height_, QImage::Format_RGB32) {
    // A fresh bitmap is white until its first redraw.
    bitmap_.fill(Qt::white);
}

void TRAG::SetGridX(int samples) {
    gridX_ = samples;
    // Keep the phase within one grid step, so a smaller step starts it over.
    if (gridPhase_ >= gridX_) {
        gridPhase_ = 0;
    }
}

TRAGGraph& TRAG::AddGraph(int capacity, TColor color, TGraphStyle style) {
    TRAGGraph& graph = graphs_.Add(capacity);
    graph.SetColor(color);
    graph.SetStyle(style);
    return graph;
}

void TRAG::AddValue(int index, std::int64_t value) {
    if (index < 0 || index >= graphs_.Count()) {
        return;
    }
    const int countBefore = graphs_[0].Values().Count();
    graphs_[index].AddValue(value);
    if (graphs_.Count() == 1 && graphs_[0].Values().Count() == countBefore) {
        ++gridPhase_;
        if (gridPhase_ >= gridX_) {
            gridPhase_ = 0;
        }
    }
}

void TRAG::AddGap(int index) {
    if (index >= 0 && index < graphs_.Count()) {
        graphs_[index].AddGap();
    }
}

void TRAG::SetCaption(TCaptionCorner corner, const QString& text, bool show) {
    captions_[static_cast<std::size_t>(corner)] = {text, show};
}

void TRAG::Redraw(bool rescale) {
    if (rescale) {
        Rescale();
    }
    // The grid changes far less often than the series: it is drawn once into
    // its own bitmap and copied under every redraw.
    const GridKey key = CurrentGridKey();
    if (key != gridKey_) {
        DrawGrid(key);
        gridKey_ = key;
    }
    gridCanvasPen_ = gridColor_;
    CopyGridToPicture();
    for (int i = 0; i < graphs_.Count(); ++i) {
        TRAGGraph& graph = graphs_[i];
        if (rescale) {
            graph.CalcPoints(width_, height_, yScale_, xStep_);
        }
        graph.Draw(bitmap_, height_, yScale_);
    }
    DrawCaptions();
}

void TRAG::Rescale() {
    std::int64_t top = 0;
    for (int i = 0; i < graphs_.Count(); ++i) {
        const TRAGGraph& graph = graphs_[i];
        if (graph.MaxValue() > top && graph.Visible() && graph.Style() != gsPercentBars) {
            top = graph.MaxValue();
        }
    }
    if (headroom_ > 0) {
        // The whole 64-bit maximum counts, however large; the sum saturates.
        const std::int64_t extra = RoundExtended(static_cast<long double>(top) / 100 * headroom_);
        top = extra > INT64_MAX - top ? INT64_MAX : top + extra;
    }
    yScale_ = top > 0 ? static_cast<double>(static_cast<long double>(height_) / top) : 1.0;
}

TRAG::GridKey TRAG::CurrentGridKey() const {
    return {ToQColor(backgroundColor_).rgb(),
            ToQColor(gridCanvasPen_).rgb(),
            ToQColor(gridColor_).rgb(),
            gridX_,
            gridPhase_,
            gridY_,
            std::bit_cast<std::uint64_t>(xStep_),
            std::bit_cast<std::uint64_t>(yScale_)};
}

void TRAG::DrawGrid(const GridKey& key) {
    QImage& canvas = gridBitmap_;
    FillRect(canvas, 0, 0, width_, height_, key.background);
    FillRect(canvas, 0, 0, width_, 1, key.outline);
    FillRect(canvas, 0, height_ - 1, width_, 1, key.outline);
    FillRect(canvas, 0, 0, 1, height_, key.outline);
    FillRect(canvas, width_ - 1, 0, 1, height_, key.outline);
    const QRgb grid = key.grid;

    // Vertical lines scroll left with the phase; x runs in whole pixels.
    const long double columnStep = static_cast<long double>(gridX_) * xStep_;
    const long double shift = RoundExtended(static_cast<long double>(gridPhase_) * xStep_);
    if (UsableStep(columnStep)) {
        for (long double x = 0; x <= width_ + shift; x = std::nearbyintl(columnStep + x)) {
            const long double column = x - shift;
            if (column >= 0 && column < width_) {
                FillRect(canvas, static_cast<int>(column), 0, 1, height_, grid);
            }
        }
    }

    // Horizontal lines from the bottom edge up; the first one, on row height,
    // falls just outside the bitmap.
    const long double rowStep = static_cast<long double>(gridY_) * yScale_;
    if (UsableStep(rowStep)) {
        for (long double y = height_; y >= 0; y = std::nearbyintl(y - rowStep)) {
            if (y < height_) {
                FillRect(canvas, 0, static_cast<int>(y), width_, 1, grid);
            }
        }
    }
}

void TRAG::CopyGridToPicture() {
    // A picture still shared with a caller (a pixmap made from it, say) stays
    // theirs; copying it only to overwrite every pixel would be wasted work.
    if (!bitmap_.isDetached()) {
        bitmap_ = QImage(width_, height_, QImage::Format_RGB32);
    }
    if (bitmap_.isNull() || gridBitmap_.isNull()) {
        return;  // too large to allocate: nothing to draw on
    }
    std::memcpy(bitmap_.bits(), gridBitmap_.constBits(),
                static_cast<std::size_t>(gridBitmap_.sizeInBytes()));
}

void TRAG::DrawCaptions() {
    const bool any = std::any_of(captions_.begin(), captions_.end(),
                                 [](const Caption& c) { return c.show && !c.text.isEmpty(); });
    if (!any) {
        return;
    }
    QPainter painter(&bitmap_);
    QFont font(QString::fromLatin1(kCaptionFamily), kCaptionPointSize);
    // Crisp pixels in the caption colour only, whatever the screen's smoothing.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(ToQColor(captionColor_));
    const QFontMetrics metrics(font, painter.device());
    for (std::size_t corner = 0; corner < captions_.size(); ++corner) {
        const Caption& caption = captions_[corner];
        if (!caption.show || caption.text.isEmpty()) {
            continue;
        }
        const int w = metrics.horizontalAdvance(caption.text);
        const int h = metrics.height();
        const bool right = corner == TopRight || corner == BottomRight;
        const bool bottom = corner == BottomLeft || corner == BottomRight;
        const QRect box(right ? width_ - w - 1 : 1, bottom ? height_ - h - 1 : 1, w, h);
        if (opaqueCaptions_) {
            painter.fillRect(box, ToQColor(backgroundColor_));
        }
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption.text);
    }
}

}  // namespace pulsewell
