#include "Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace pulsewell {

namespace {

constexpr int kLargestBrush = 64;

// Floor of a / b for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Fills a rectangle already clipped to the image.
void FillClipped(QRgb* bits, qsizetype stride, int left, int top, int right, int bottom,
                 QRgb color) {
    for (int row = top; row < bottom; ++row) {
        QRgb* line = bits + row * stride;
        std::fill(line + left, line + right, color);
    }
}

}  // namespace

void FillRect(QImage& image, int x, int y, int width, int height, QRgb color) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + width, image.width()));
    const int bottom =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + height, image.height()));
    if (left >= right || top >= bottom) {
        return;
    }
    // bits() once: every call may check whether the image must be detached.
    FillClipped(reinterpret_cast<QRgb*>(image.bits()), image.bytesPerLine() / 4, left, top, right,
                bottom, color);
}
void DrawLine(QImage& image, QPoint a, QPoint b, int pen, QRgb color) {
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
    const std::int64_t limit = alongX ? image.width() : image.height();

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
            FillRect(image, static_cast<int>(from), static_cast<int>(across),
                     static_cast<int>(length), brush, color);
        } else {
            FillRect(image, static_cast<int>(across), static_cast<int>(from), brush,
                     static_cast<int>(length), color);
        }
        return;
    }
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    const std::int64_t width = image.width();
    const std::int64_t height = image.height();
    for (std::int64_t k = lo; k <= hi; ++k) {
        const std::int64_t m = start + direction * k;
        // Nearest pixel to the exact line, halves rounded up.
        const std::int64_t n = startMinor + FloorDiv(2 * k * minor + steps, 2 * steps);
        const std::int64_t x = alongX ? m : n;
        const std::int64_t y = alongX ? n : m;
        const std::int64_t left = std::max<std::int64_t>(x - back, 0);
        const std::int64_t top = std::max<std::int64_t>(y - back, 0);
        const std::int64_t right = std::min<std::int64_t>(x - back + brush, width);
        const std::int64_t bottom = std::min<std::int64_t>(y - back + brush, height);
        if (left < right && top < bottom) {
            FillClipped(bits, stride, static_cast<int>(left), static_cast<int>(top),
                        static_cast<int>(right), static_cast<int>(bottom), color);
        }
    }
}

}  // namespace pulsewell
