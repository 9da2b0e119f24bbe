#include "graph/Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace pulsewell {

namespace {

// Floor of a / b for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Fills a rectangle already clipped to the image. Inlined: a line calls it
// for every few pixels.
[[gnu::always_inline]] inline void FillClipped(QRgb* bits, qsizetype stride, int left, int top,
                                               int right, int bottom, QRgb color) {
    QRgb* line = bits + top * stride + left;
    const int count = right - left;
    // Rectangles one or two pixels wide (a bar, the runs of a steep line) get
    // loops of their own: a general fill per row costs more than their pixels.
    switch (count) {
        case 1:
            for (int row = top; row < bottom; ++row, line += stride) {
                line[0] = color;
            }
            break;
        case 2:
            for (int row = top; row < bottom; ++row, line += stride) {
                line[0] = color;
                line[1] = color;
            }
            break;
        default:
            for (int row = top; row < bottom; ++row, line += stride) {
                std::fill_n(line, count, color);
            }
            break;
    }
}

}  // namespace

RasterCanvas::RasterCanvas(QImage& image)
    : bits(reinterpret_cast<QRgb*>(image.bits())),
      stride(image.bytesPerLine() / 4),
      width(image.width()),
      height(image.height()) {}

void FillRect(const RasterCanvas& canvas, int x, int y, int width, int height, QRgb color) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + width, canvas.width));
    const int bottom =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + height, canvas.height));
    if (left >= right || top >= bottom) {
        return;
    }
    FillClipped(canvas.bits, canvas.stride, left, top, right, bottom, color);
}

void DrawLine(const RasterCanvas& canvas, QPoint a, QPoint b, int pen, QRgb color) {
    const int brush = std::clamp(pen, 1, kLargestBrush);
    const int back = brush / 2;  // brush pixels left of and above the line
    const std::int64_t dx = std::int64_t{b.x()} - a.x();
    const std::int64_t dy = std::int64_t{b.y()} - a.y();
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = alongX ? dx : dy;
    const std::int64_t minor = alongX ? dy : dx;
    const std::int64_t steps = std::llabs(major);
    if (steps == 0) {
        return;
    }
    const std::int64_t direction = major > 0 ? 1 : -1;
    const std::int64_t start = alongX ? a.x() : a.y();
    const std::int64_t startMinor = alongX ? a.y() : a.x();
    const std::int64_t limit = alongX ? canvas.width : canvas.height;

    // Only the steps whose brush can reach the image along the major axis.
    std::int64_t lo = 0;
    std::int64_t hi = steps - 1;
    if (direction > 0) {
        lo = std::max(lo, back - (brush - 1) - start);
        hi = std::min(hi, limit - 1 + back - start);
    } else {
        lo = std::max(lo, start - back - (limit - 1));
        hi = std::min(hi, start + brush - 1 - back);
    }
    if (lo > hi) {
        return;
    }
    if (minor == 0) {
        // Straight along an axis (every bar): one rectangle swept by the brush.
        const std::int64_t from = std::min(start + direction * lo, start + direction * hi) - back;
        const std::int64_t length = hi - lo + brush;
        const std::int64_t across = startMinor - back;
        if (alongX) {
            FillRect(canvas, static_cast<int>(from), static_cast<int>(across),
                     static_cast<int>(length), brush, color);
        } else {
            FillRect(canvas, static_cast<int>(across), static_cast<int>(from), brush,
                     static_cast<int>(length), color);
        }
        return;
    }
    // Steps at the same minor position put their brushes side by side along
    // the major axis: together one rectangle. The minor position moves by one
    // pixel at most from step to step, so the line is a chain of such
    // rectangles, one per minor position it passes, each filled at once.
    // Step k lies at minor position startMinor + floor((2 k minor + steps) /
    // (2 steps)), the pixel nearest the exact line with halves rounded up.
    const std::int64_t denominator = 2 * steps;
    const std::int64_t numerator = 2 * lo * minor + steps;
    const std::int64_t quotient = FloorDiv(numerator, denominator);
    const std::int64_t remainder = numerator - quotient * denominator;
    std::int64_t n = startMinor + quotient;
    // The remainder moves by 2 |minor| a step; n moves on when it leaves
    // [0, denominator). Counted upwards whichever way the line runs: a falling
    // line moves on when this count reaches the denominator.
    const std::int64_t increment = 2 * std::llabs(minor);
    const std::int64_t sign = minor > 0 ? 1 : -1;
    std::int64_t count = minor > 0 ? remainder : denominator - 1 - remainder;
    // After the first rectangle the count stays below the increment, and a
    // run is whole or whole + 1 steps: no division per rectangle.
    const std::int64_t whole = denominator / increment;
    const std::int64_t part = denominator % increment;
    std::int64_t run = (denominator - count + increment - 1) / increment;
    for (std::int64_t k = lo; k <= hi; run = whole + (count < part ? 1 : 0)) {
        const std::int64_t last = std::min(k + run - 1, hi);
        const std::int64_t from = std::min(start + direction * k, start + direction * last) - back;
        const std::int64_t to = from + (last - k) + brush;
        const std::int64_t x0 = alongX ? from : n - back;
        const std::int64_t y0 = alongX ? n - back : from;
        const std::int64_t x1 = alongX ? to : n - back + brush;
        const std::int64_t y1 = alongX ? n - back + brush : to;
        const std::int64_t left = std::max<std::int64_t>(x0, 0);
        const std::int64_t top = std::max<std::int64_t>(y0, 0);
        const std::int64_t right = std::min<std::int64_t>(x1, canvas.width);
        const std::int64_t bottom = std::min<std::int64_t>(y1, canvas.height);
        if (left < right && top < bottom) {
            FillClipped(canvas.bits, canvas.stride, static_cast<int>(left), static_cast<int>(top),
                        static_cast<int>(right), static_cast<int>(bottom), color);
        }
        count += run * increment - denominator;
        n += sign;
        k += run;
    }
}

}  // namespace pulsewell
