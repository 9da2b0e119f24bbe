#pragma once

#include <QImage>
#include <QPoint>

namespace pulsewell {

// Direct pixel drawing on a 32-bit image, clipped to it. Cheaper than a
// painter for the many short segments of a graph, and it puts every pixel
// exactly where the graph's geometry says.

// The widest brush DrawLine paints; wider pens are drawn with it.
inline constexpr int kLargestBrush = 64;

// Fills the rectangle; parts outside the image are left out.
void FillRect(QImage& image, int x, int y, int width, int height, QRgb color);

// A line from a to b that leaves out b, drawn with a square brush of pen
// pixels (at most 64) whose extra pixels lie to the left of and above the
// line. Coordinates may lie far outside the image, up to 2^24 pixels away.
void DrawLine(QImage& image, QPoint a, QPoint b, int pen, QRgb color);

}  // namespace pulsewell
