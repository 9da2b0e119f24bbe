#include "about/WebHandCursor.h"

#include <QBitmap>
#include <optional>

namespace pulsewell {

namespace {

constexpr int kSize = 32;
constexpr int kHotX = 7;
constexpr int kHotY = 1;

// "X" black, "." white, anything else transparent; rows left out are transparent.
constexpr const char* kHand[] = {
    "",
    "       XX",
    "      X..X",
    "      X..X",
    "      X..X",
    "      X..X",
    "      X..XXX",
    "      X..X..XXX",
    "      X..X..X..XX",
    "      X..X..X..X.X",
    "  XX  X..X..X..X..X",
    "  X..XX........X..X",
    "  X...X...........X",
    "   X..............X",
    "    X.............X",
    "    X.............X",
    "     X...........X",
    "     X...........X",
    "      X.........X",
    "      X.........X",
    "       X.......X",
    "       X.......X",
    "       XXXXXXXXX",
};

std::optional<QCursor>& Installed() {
    static std::optional<QCursor> cursor;
    return cursor;
}

}  // namespace

QCursor WebHandCursor() {
    // One bit a pixel, lowest bit leftmost; a set bit is black, a set mask bit opaque.
    uchar bits[kSize * kSize / 8] = {};
    uchar mask[kSize * kSize / 8] = {};
    for (int y = 0; y < static_cast<int>(std::size(kHand)); ++y) {
        for (int x = 0; kHand[y][x] != '\0'; ++x) {
            const int byte = y * kSize / 8 + x / 8;
            const uchar bit = static_cast<uchar>(1u << (x % 8));
            if (kHand[y][x] == 'X' || kHand[y][x] == '.') {
                mask[byte] |= bit;
            }
            if (kHand[y][x] == 'X') {
                bits[byte] |= bit;
            }
        }
    }
    const QSize size(kSize, kSize);
    return QCursor(QBitmap::fromData(size, bits, QImage::Format_MonoLSB),
                   QBitmap::fromData(size, mask, QImage::Format_MonoLSB), kHotX, kHotY);
}

void InstallHandPointCursor(const QCursor& cursor) {
    Installed() = cursor;
}

QCursor HandPointCursor() {
    return Installed().value_or(QCursor(Qt::PointingHandCursor));
}

}  // namespace pulsewell
