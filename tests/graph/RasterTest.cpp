#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <random>

#include "graph/Raster.h"

namespace pulsewell {
namespace {

const QRgb kInk = qRgb(10, 20, 30);

class RasterTest : public ::testing::Test {
  protected:
    void SetUp() override { image.fill(Qt::white); }

    // The inked pixels as text rows, '#' for ink.
    QStringList Rows() const {
        QStringList rows;
        for (int y = 0; y < image.height(); ++y) {
            QString row;
            for (int x = 0; x < image.width(); ++x) {
                row += (image.pixel(x, y) | 0xFF000000u) == kInk ? u'#' : u'.';
            }
            rows << row;
        }
        return rows;
    }

    QImage image{6, 4, QImage::Format_RGB32};
};

TEST_F(RasterTest, ThinLineLeavesOutItsEndPoint) {
    DrawLine(image, {0, 0}, {4, 2}, 1, kInk);
    EXPECT_EQ(Rows(), (QStringList{"#.....", ".##...", "...#..", "......"}));
}

TEST_F(RasterTest, LineBackwardsAndSteep) {
    DrawLine(image, {5, 3}, {4, 0}, 0, kInk);
    EXPECT_EQ(Rows(), (QStringList{"......", "....#.", ".....#", ".....#"}));
}

TEST_F(RasterTest, WidePenAddsPixelsLeftAndAbove) {
    DrawLine(image, {2, 2}, {5, 2}, 2, kInk);
    EXPECT_EQ(Rows(), (QStringList{"......", ".####.", ".####.", "......"}));
}

TEST_F(RasterTest, ZeroLengthLineDrawsNothing) {
    DrawLine(image, {2, 2}, {2, 2}, 2, kInk);
    EXPECT_EQ(Rows(), (QStringList{"......", "......", "......", "......"}));
}

TEST_F(RasterTest, FarAwayEndsAreClippedWithoutWalkingThere) {
    const int far = 1 << 24;
    DrawLine(image, {-far, 1}, {far, 1}, 1, kInk);
    DrawLine(image, {3, -far}, {3, far}, 1, kInk);
    DrawLine(image, {far, far}, {far + 5, -far}, 1, kInk);  // never crosses
    EXPECT_EQ(Rows(), (QStringList{"...#..", "######", "...#..", "...#.."}));
}

TEST_F(RasterTest, FillRectClipsToTheImage) {
    FillRect(image, -3, 2, 5, 100, kInk);
    FillRect(image, 5, -1, 100, 2, kInk);
    EXPECT_EQ(Rows(), (QStringList{".....#", "......", "##....", "##...."}));
}

// The line as its definition reads: the brush square on every step's pixel,
// both coordinates the nearest to the exact line, halves rounded up.
QImage LineStepByStep(QSize size, QPoint a, QPoint b, int pen) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int brush = std::clamp(pen, 1, 64);
    const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    const auto nearest = [steps](int k, int d) {
        const int n = 2 * k * d + steps;
        return n / (2 * steps) - (n % (2 * steps) < 0 ? 1 : 0);
    };
    for (int k = 0; k < steps; ++k) {
        FillRect(image, a.x() + nearest(k, b.x() - a.x()) - brush / 2,
                 a.y() + nearest(k, b.y() - a.y()) - brush / 2, brush, brush, kInk);
    }
    return image;
}

TEST(RasterLineTest, EveryDirectionPenAndClippingMatchesTheStepByStepLine) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> x(-9, 31);
    std::uniform_int_distribution<int> y(-9, 25);
    std::uniform_int_distribution<int> pen(0, 6);
    const QSize size(23, 17);
    for (int i = 0; i < 20000; ++i) {
        const QPoint a(x(random), y(random));
        const QPoint b(x(random), y(random));
        const int p = i % 1000 == 0 ? 70 : pen(random);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        DrawLine(image, a, b, p, kInk);
        ASSERT_EQ(image, LineStepByStep(size, a, b, p)) << "(" << a.x() << ", " << a.y() << ") to ("
                                                        << b.x() << ", " << b.y() << "), pen " << p;
    }
}

}  // namespace
}  // namespace pulsewell
