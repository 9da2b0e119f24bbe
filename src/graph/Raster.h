#pragma once

#include <QImage>
#include <QPoint>

namespace pulsewell {

// Direct pixel drawing on a 32-bit image, clipped to it. Cheaper than a
// painter for the many short segments of a graph, and it puts every pixel
// exactly where the graph's geometry says.

// The widest brush DrawLine paints; wider pens are drawn with it.
inline constexpr int kLargestBrush = 64;

// An image's pixels, looked up once for many drawing calls in a row (each
// lookup checks whether the image must be detached). Valid while the image
// is neither copied nor assigned to: drawing goes to the pixels looked up.
struct RasterCanvas {
    explicit RasterCanvas(QImage& image);

    QRgb* bits;
    qsizetype stride;  // pixels from one row to the next
    int width;
    int height;
};

// Fills the rectangle; parts outside the image are left out.
void FillRect(const RasterCanvas& canvas, int x, int y, int width, int height, QRgb color);
inline void FillRect(QImage& image, int x, int y, int width, int height, QRgb color) {
    FillRect(RasterCanvas(image), x, y, width, height, color);
}

// A line from a to b that leaves out b, drawn with a square brush of pen
// pixels (at most 64) whose extra pixels lie to the left of and above the
// line. Coordinates may lie far outside the image, up to 2^24 pixels away.
void DrawLine(const RasterCanvas& canvas, QPoint a, QPoint b, int pen, QRgb color);
inline void DrawLine(QImage& image, QPoint a, QPoint b, int pen, QRgb color) {
    DrawLine(RasterCanvas(image), a, b, pen, color);
}

}  // namespace pulsewell
