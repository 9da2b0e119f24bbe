#include <gtest/gtest.h>

#include <QImage>

#include "Raster.h"

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

}  // namespace
}  // namespace pulsewell
