#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "graph/TRAG.h"

namespace pulsewell {
namespace {

constexpr TColor kGreen = 0x00FF00;
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

// 0x00BBGGRR as the pixel the bitmap holds.
QRgb Rgb(TColor c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGray = qRgb(0x80, 0x80, 0x80);
const QRgb kBlack = qRgb(0, 0, 0);

QRgb At(const TRAG& engine, int x, int y) {
    return engine.Picture().pixel(x, y) | 0xFF000000u;
}

int CountInRow(const TRAG& engine, int y, QRgb color, int from, int to) {
    int n = 0;
    for (int x = from; x <= to; ++x) {
        n += At(engine, x, y) == color;
    }
    return n;
}

int CountInColumn(const TRAG& engine, int x, QRgb color, int from, int to) {
    int n = 0;
    for (int y = from; y <= to; ++y) {
        n += At(engine, x, y) == color;
    }
    return n;
}

// ----- Background and grid -----

TEST(TRAGGridTest, EngineWithoutSeriesDrawsGridOnlyTenPixelsApart) {
    TRAG engine(690, 170);
    engine.Redraw(true);
    EXPECT_EQ(engine.YScale(), 1.0);
    for (int y = 0; y <= 160; y += 10) {
        EXPECT_EQ(At(engine, 5, y), kGray) << "row " << y;
        EXPECT_EQ(At(engine, 5, y + 5), kWhite) << "row " << y + 5;
    }
    // Default step: 10 samples of 2 pixels.
    for (int x = 0; x < 680; x += 20) {
        EXPECT_EQ(At(engine, x, 5), kGray) << "column " << x;
        EXPECT_EQ(At(engine, x + 10, 5), kWhite) << "column " << x + 10;
    }
}

TEST(TRAGGridTest, OutlineIsBlackAtFirstRedrawAndGridColouredLater) {
    TRAG engine(690, 170);
    engine.Redraw(true);
    EXPECT_EQ(At(engine, 689, 55), kBlack);
    EXPECT_EQ(At(engine, 55, 169), kBlack);
    engine.Redraw(true);
    EXPECT_EQ(At(engine, 689, 55), kGray);
    EXPECT_EQ(At(engine, 55, 169), kGray);
    EXPECT_EQ(At(engine, 55, 168), kWhite);
}

TEST(TRAGGridTest, VerticalLinesEveryThirtyPixelsWithThreePixelSteps) {
    TRAG engine(690, 170);
    engine.SetXStep(3.0);
    engine.Redraw(true);
    engine.Redraw(true);
    for (int x = 1; x < 689; ++x) {
        EXPECT_EQ(At(engine, x, 5) == kGray, x % 30 == 0) << "column " << x;
    }
}

TEST(TRAGGridTest, LoneFullSeriesScrollsTheVerticalGrid) {
    TRAG engine(690, 170);
    engine.SetXStep(3.0);
    engine.AddGraph(5, kGreen, gsLine);
    for (int i = 0; i < 5; ++i) {
        engine.AddValue(0, 0);
    }
    EXPECT_EQ(engine.GridPhase(), 0);
    engine.AddValue(0, 0);
    engine.AddValue(0, 0);
    EXPECT_EQ(engine.GridPhase(), 2);
    engine.Redraw(true);
    // Shifted left by 2 samples of 3 pixels.
    EXPECT_EQ(At(engine, 24, 55), kGray);
    EXPECT_EQ(At(engine, 54, 55), kGray);
    EXPECT_EQ(At(engine, 30, 55), kWhite);

    for (int i = 0; i < 8; ++i) {
        engine.AddValue(0, 0);
    }
    EXPECT_EQ(engine.GridPhase(), 0);  // wrapped at GridX
}

TEST(TRAGGridTest, GridDoesNotScrollWithTwoSeries) {
    TRAG engine(100, 50);
    engine.AddGraph(2, kGreen, gsLine);
    engine.AddGraph(2, kBlue, gsLine);
    for (int i = 0; i < 10; ++i) {
        engine.AddValue(0, 1);
        engine.AddValue(1, 1);
    }
    EXPECT_EQ(engine.GridPhase(), 0);
}

TEST(TRAGGridTest, SmallerGridXRestartsAPhaseThatNoLongerFits) {
    TRAG engine(100, 50);
    engine.AddGraph(1, kGreen, gsLine);
    for (int i = 0; i < 8; ++i) {
        engine.AddValue(0, 1);
    }
    EXPECT_EQ(engine.GridPhase(), 7);
    engine.SetGridX(5);
    EXPECT_EQ(engine.GridPhase(), 0);
    engine.SetGridX(0);
    engine.AddValue(0, 1);
    EXPECT_EQ(engine.GridPhase(), 0);
}

// Steps that would not move a line by a whole pixel leave that direction
// without lines; every loop ends, whatever the values.
struct GridCase {
    const char* name;
    int gridX;
    std::int64_t gridY;
    double xStep;
    bool columns;  // vertical lines expected at x = 0 and x = 20
    bool rows;     // horizontal line expected at y = 160
};

class TRAGGridStepTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(TRAGGridStepTest, LoopsEndAndDrawOnlyWholePixelSteps) {
    const GridCase c = GetParam();
    TRAG engine(690, 170);
    engine.SetGridX(c.gridX);
    engine.SetGridY(c.gridY);
    engine.SetXStep(c.xStep);
    engine.Redraw(true);
    engine.Redraw(true);
    // Row 5 and column 5 are never grid lines in these cases.
    const int columnPixels = CountInRow(engine, 5, kGray, 1, 688);
    const int rowPixels = CountInColumn(engine, 5, kGray, 1, 168);
    if (c.columns) {
        EXPECT_EQ(At(engine, 20, 5), kGray);
    } else {
        EXPECT_EQ(columnPixels, 0);
    }
    if (c.rows) {
        EXPECT_EQ(At(engine, 5, 160), kGray);
    } else {
        EXPECT_EQ(rowPixels, 0);
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Extremes, TRAGGridStepTest,
    ::testing::Values(GridCase{"Defaults", 10, 10, 2.0, true, true},
                      GridCase{"ZeroSpacing", 0, 0, 2.0, false, false},
                      GridCase{"NegativeSpacing", -10, -10, 2.0, false, false},
                      GridCase{"TwoNegatives", -10, 10, -2.0, true, true},
                      GridCase{"ZeroStep", 10, 10, 0.0, false, true},
                      GridCase{"TinyStep", 10, 10, 1e-9, false, true},
                      GridCase{"UnderAPixel", 10, 10, 0.09, false, true},
                      GridCase{"NaNStep", 10, 10, kNaN, false, true},
                      GridCase{"InfiniteStep", 10, 10, kInf, false, true},
                      GridCase{"HugeStep", 10, 10, 1e300, false, true},
                      GridCase{"HugeGridX", std::numeric_limits<int>::max(), 10, 3.0, false, true},
                      GridCase{"HugeGridY", 10, std::numeric_limits<std::int64_t>::max(), 2.0, true,
                               false},
                      GridCase{"MostNegativeGridY", 10, std::numeric_limits<std::int64_t>::min(),
                               2.0, true, false}),
    [](const ::testing::TestParamInfo<GridCase>& info) { return std::string(info.param.name); });

TEST(TRAGGridTest, HugeColumnStepStillDrawsTheFirstLine) {
    TRAG engine(690, 170);
    engine.SetGridX(std::numeric_limits<int>::max());
    engine.SetXStep(1e300);
    engine.Redraw(true);
    engine.Redraw(true);
    EXPECT_EQ(CountInColumn(engine, 0, kGray, 0, 169), 170);
    EXPECT_EQ(CountInRow(engine, 5, kGray, 1, 688), 0);
}

TEST(TRAGGridTest, GridYBeyond32BitsIsHonoured) {
    TRAG engine(690, 170);
    engine.SetHeadroom(3);
    engine.AddGraph(2, kGreen, gsLine);
    engine.AddValue(0, 30'000'000'000);
    engine.SetGridY(3'000'000'000);
    engine.Redraw(true);
    // Steps of 16.5 pixels from row 170: 153, 136, ..., 17, 0.
    for (int y : {153, 136, 119, 102, 85, 68, 51, 34, 17, 0}) {
        EXPECT_EQ(At(engine, 305, y), kGray) << "row " << y;
        EXPECT_NE(At(engine, 305, y + 1), kGray) << "row " << y + 1;
    }
}

// The grid is drawn anew only when something it shows changes: after each
// change a reused engine shows what a fresh one with the same history does.
TEST(TRAGGridTest, ReusedEngineShowsWhatAFreshOneDoesAfterEveryChange) {
    const std::function<void(TRAG&)> steps[] = {
        [](TRAG& e) { e.AddGraph(8, kBlue, gsLine).SetPenWidth(2); },
        [](TRAG& e) { e.AddValue(0, 50); },
        [](TRAG& e) { e.AddValue(0, 200); },  // the scale
        [](TRAG& e) { e.SetGridY(40); },
        [](TRAG& e) { e.SetGridX(4); },
        [](TRAG& e) { e.SetXStep(7.0); },
        [](TRAG& e) { e.SetHeadroom(50); },
        [](TRAG& e) {
            for (int i = 0; i < 6; ++i)
                e.AddValue(0, 30);
        },
        [](TRAG& e) { e.AddValue(0, 90); },  // full: the grid scrolls
    };
    TRAG reused(200, 100);
    reused.Redraw(true);  // from the second redraw on the outline is grid-coloured
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        steps[n](reused);
        reused.Redraw(true);
        TRAG fresh(200, 100);
        for (std::size_t i = 0; i <= n; ++i) {
            steps[i](fresh);
        }
        fresh.Redraw(true);
        fresh.Redraw(true);
        EXPECT_EQ(reused.Picture(), fresh.Picture()) << "after step " << n;
    }
}

// ----- Scale -----

TEST(TRAGScaleTest, HeadroomIsRoundedHalvesToEven) {
    struct Case {
        std::int64_t max;
        double scaledTop;
    } cases[] = {{16, 16}, {17, 18}, {1000, 1030}, {50, 52}, {150, 154}, {250, 258}};
    for (const Case& c : cases) {
        TRAG engine(690, 170);
        engine.SetHeadroom(3);
        engine.AddGraph(10, kGreen, gsLine);
        engine.AddValue(0, c.max);
        engine.Redraw(true);
        EXPECT_DOUBLE_EQ(engine.YScale(), 170.0 / c.scaledTop) << c.max;
    }
}

TEST(TRAGScaleTest, HeadroomCountsTheWholeMaximumBeyond32Bits) {
    TRAG engine(690, 170);
    engine.SetHeadroom(3);
    engine.AddGraph(10, kGreen, gsLine);
    const std::int64_t max = std::int64_t{1} << 40;  // low 32 bits are all zero
    engine.AddValue(0, max);
    engine.AddValue(0, max);
    engine.Redraw(true);
    EXPECT_DOUBLE_EQ(engine.YScale(), 170.0 / (max + 32985348833));  // 3% of 2^40, rounded
    // The maximum lies on row 2, like any other maximum with 3% headroom.
    EXPECT_EQ(At(engine, 1, 2), Rgb(kGreen));
    EXPECT_NE(At(engine, 1, 1), Rgb(kGreen));
    EXPECT_NE(At(engine, 1, 3), Rgb(kGreen));
}

TEST(TRAGScaleTest, HeadroomSaturatesAtTheLargestSample) {
    TRAG engine(690, 170);
    engine.SetHeadroom(std::numeric_limits<int>::max());
    engine.AddGraph(10, kGreen, gsLine);
    engine.AddValue(0, std::numeric_limits<std::int64_t>::max());
    engine.Redraw(true);
    EXPECT_GT(engine.YScale(), 0.0);
    EXPECT_TRUE(std::isfinite(engine.YScale()));
}

TEST(TRAGScaleTest, LineSampleRowFollowsScaleAndHeadroom) {
    TRAG engine(690, 170);
    engine.SetHeadroom(3);
    engine.SetXStep(3.0);
    engine.AddGraph(10, kRed, gsLine);
    engine.AddValue(0, 1000);
    engine.AddValue(0, 1000);
    engine.AddValue(0, 0);
    engine.Redraw(true);
    EXPECT_DOUBLE_EQ(engine.YScale(), 170.0 / 1030);
    // 170 - Round(1000 * 170 / 1030) - 3 = 2, with the one-pixel pen.
    EXPECT_EQ(At(engine, 1, 2), Rgb(kRed));
    EXPECT_EQ(At(engine, 2, 2), Rgb(kRed));
    EXPECT_NE(At(engine, 1, 1), Rgb(kRed));
    EXPECT_NE(At(engine, 1, 3), Rgb(kRed));
    ASSERT_EQ(engine.Graphs()[0].Points().size(), 3u);
    EXPECT_EQ(engine.Graphs()[0].Points()[2], QPoint(6, 167));
}

TEST(TRAGScaleTest, ZeroMaximaGiveUnitScaleAndZeroOnRowHeightLessThree) {
    TRAG engine(690, 170);
    engine.SetXStep(10.0);
    engine.AddGraph(10, kBlue, gsLine);
    engine.AddValue(0, 0);
    engine.AddValue(0, 0);
    engine.Redraw(true);
    EXPECT_EQ(engine.YScale(), 1.0);
    EXPECT_EQ(At(engine, 5, 167), Rgb(kBlue));
    EXPECT_NE(At(engine, 5, 166), Rgb(kBlue));
    EXPECT_NE(At(engine, 5, 168), Rgb(kBlue));
}

TEST(TRAGScaleTest, InvisibleSeriesIsNeitherScaledNorDrawnButGetsItsPoints) {
    TRAG engine(690, 170);
    engine.SetHeadroom(0);
    engine.AddGraph(10, kGreen, gsLine);
    TRAGGraph& hidden = engine.AddGraph(10, kRed, gsLine);
    hidden.SetVisible(false);
    engine.AddValue(0, 50);
    engine.AddValue(0, 25);
    engine.AddValue(0, 50);
    engine.AddValue(1, 1000);
    engine.AddValue(1, 0);
    engine.AddValue(1, 25);
    engine.Redraw(true);
    EXPECT_DOUBLE_EQ(engine.YScale(), 3.4);
    ASSERT_EQ(hidden.Points().size(), 3u);
    EXPECT_EQ(hidden.Points()[0], QPoint(0, 170 - 3400 - 3));
    EXPECT_EQ(hidden.Points()[2], QPoint(4, 170 - 85 - 3));
    for (int y = 0; y < 170; ++y) {
        ASSERT_EQ(CountInRow(engine, y, Rgb(kRed), 0, 689), 0) << "row " << y;
    }
    EXPECT_EQ(At(engine, 2, 82), Rgb(kGreen));  // 25 lies on row 170 - 85 - 3
}

TEST(TRAGScaleTest, AddValueOutsideTheSeriesChangesNothing) {
    TRAG engine(100, 50);
    engine.AddGraph(3, kGreen, gsLine);
    engine.AddValue(-1, 5);
    engine.AddValue(1, 5);
    EXPECT_EQ(engine.Graphs()[0].Values().Count(), 0);
    EXPECT_EQ(engine.Graphs().Count(), 1);
}

TEST(TRAGScaleTest, FullSeriesScrollsLeftByOneStep) {
    TRAG engine(690, 170);
    engine.SetHeadroom(0);
    engine.SetXStep(10.0);
    engine.AddGraph(3, kRed, gsLine);
    for (int i = 0; i < 3; ++i) {
        engine.AddValue(0, 10);
    }
    engine.Redraw(true);
    // 10 * 170 / 10 = 170: the level line lies on row -3, outside.
    engine.AddValue(0, 100);  // drops the first 10; the window is 10, 10, 100
    engine.Redraw(true);
    // Now 10 lies on row 170 - 17 - 3 = 150, from x 0 to 10 only.
    EXPECT_EQ(At(engine, 5, 150), Rgb(kRed));
    EXPECT_NE(At(engine, 15, 150), Rgb(kRed));
    EXPECT_NE(At(engine, 25, 150), Rgb(kRed));
    EXPECT_EQ(engine.Graphs()[0].Points().back(), QPoint(20, -3));
}

// A gap breaks the line on both sides; a sample between gaps shows as a dot.
TEST(TRAGScaleTest, GapsBreakTheLineAndALoneSampleIsADot) {
    TRAG engine(100, 50);
    engine.SetGridX(1000);  // no vertical grid line in the way
    engine.SetXStep(10.0);
    engine.AddGraph(8, kRed, gsLine);
    const std::optional<std::int64_t> samples[] = {10, 20, {}, {}, 30, {}, 40, 40};
    for (const auto& sample : samples) {
        sample ? engine.AddValue(0, *sample) : engine.AddGap(0);
    }
    engine.Redraw(true);
    EXPECT_EQ(engine.Graphs()[0].MaxValue(), 40);
    const struct {
        int from, to;
        bool drawn;
    } columns[] = {
        {1, 9, true},     // 0 to 1
        {11, 39, false},  // 1 to the gaps at 2 and 3, and on to 4
        {40, 40, true},   // 4 alone
        {41, 59, false},  // to the gap at 5, and on to 6
        {61, 69, true},   // 6 to 7
    };
    for (const auto& c : columns) {
        int inked = 0;
        for (int x = c.from; x <= c.to; ++x) {
            inked += CountInColumn(engine, x, Rgb(kRed), 0, 49);
        }
        EXPECT_EQ(inked > 0, c.drawn) << c.from << " to " << c.to;
    }
}

TEST(TRAGScaleTest, SamplesPastTheRightEdgeChangeNoPixel) {
    const auto picture = [](int samples) {
        TRAG engine(690, 170);
        engine.SetXStep(3.0);  // sample 230 on x 690; a pen of 2 reaches back one column
        engine.AddGraph(400, kGreen, gsLine).SetPenWidth(2);
        for (int i = 0; i < samples; ++i) {
            engine.AddValue(0, i % 37);
        }
        engine.Redraw(true);
        return engine.Picture();
    };
    EXPECT_EQ(picture(400), picture(232));
    EXPECT_NE(picture(400), picture(231));
}

// ----- Percent bars -----

class TRAGBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.SetXStep(10.0);
        bars = &engine.AddGraph(20, kGreen, gsPercentBars);
        bars->SetMidColor(kYellow);
        bars->SetHighColor(kRed);
        bars->SetPenWidth(2);
    }

    // Column x of the bar at sample i: its colour from the bottom up, and its
    // top row (the highest row of that colour).
    int TopOfBar(int x, QRgb color) {
        int y = 169;
        while (y >= 0 && At(engine, x, y) == color) {
            --y;
        }
        return y + 1;
    }

    TRAG engine{690, 170};
    TRAGGraph* bars = nullptr;
};

TEST_F(TRAGBarTest, ColourFollowsThePercentReadBackFromTheHeight) {
    bars->SetLowThreshold(20);
    bars->SetHighThreshold(70);
    for (std::int64_t v : {0, 19, 20, 70, 71, 72, 100, 0}) {
        engine.AddValue(0, v);
    }
    engine.Redraw(true);
    struct Bar {
        int x;
        TColor color;
        int height;
    } expected[] = {
        {10, kGreen, 34},    // 19: 34 pixels, 20 %
        {20, kYellow, 36},   // 20: 36 pixels, 21 %
        {30, kYellow, 118},  // 70: 118 pixels, 69 %
        {40, kYellow, 119},  // 71: 119 pixels, 70 %
        {50, kRed, 121},     // 72: 121 pixels, 71 %
        {60, kRed, 167},     // 100: 167 pixels, 98 %
        {70, kGreen, 3},     // 0: 3 pixels
    };
    for (const Bar& bar : expected) {
        // Bars are two pixels wide, on their column and the one to the left.
        for (int x : {bar.x - 1, bar.x}) {
            EXPECT_EQ(At(engine, x, 169), Rgb(bar.color)) << "column " << x;
            EXPECT_EQ(TopOfBar(x, Rgb(bar.color)), 170 - bar.height) << "column " << x;
        }
        EXPECT_NE(At(engine, bar.x + 1, 169), Rgb(bar.color)) << "column " << bar.x + 1;
    }
}

TEST_F(TRAGBarTest, ThresholdsKeepTheirLow32Bits) {
    bars->SetLowThreshold((std::int64_t{1} << 32) + 20);
    bars->SetHighThreshold((std::int64_t{7} << 32) + 70);
    for (std::int64_t v : {0, 19, 20, 72}) {
        engine.AddValue(0, v);
    }
    engine.Redraw(true);
    EXPECT_EQ(At(engine, 10, 169), Rgb(kGreen));
    EXPECT_EQ(At(engine, 20, 169), Rgb(kYellow));
    EXPECT_EQ(At(engine, 30, 169), Rgb(kRed));
}

TEST_F(TRAGBarTest, VisibleLinesChangeTheScaleTheColourIsReadBackWith) {
    bars->SetLowThreshold(40);
    bars->SetHighThreshold(70);
    engine.SetHeadroom(0);
    engine.AddGraph(20, kBlue, gsLine);
    engine.AddValue(1, 50);  // YScale 170 / 50 = 3.4
    engine.AddValue(0, 100);
    engine.Redraw(true);
    // Still 167 pixels high, but 167 / (170 * 3.4) reads back as 29 %.
    EXPECT_EQ(At(engine, 0, 169), Rgb(kGreen));
    EXPECT_EQ(TopOfBar(0, Rgb(kGreen)), 3);
    EXPECT_DOUBLE_EQ(engine.YScale(), 3.4);
}

TEST_F(TRAGBarTest, SamplesOutsideZeroToHundredStayInsideThePicture) {
    bars->SetLowThreshold(40);
    bars->SetHighThreshold(70);
    for (std::int64_t v : {std::numeric_limits<std::int64_t>::max(), std::int64_t{-50},
                           std::numeric_limits<std::int64_t>::min(), std::int64_t{500}}) {
        engine.AddValue(0, v);
    }
    engine.Redraw(true);
    EXPECT_EQ(TopOfBar(0, Rgb(kRed)), 0);    // full height
    EXPECT_EQ(At(engine, 10, 168), kWhite);  // hangs below the picture: not drawn
    EXPECT_EQ(At(engine, 20, 168), kWhite);
    EXPECT_EQ(TopOfBar(30, Rgb(kRed)), 0);
}

TEST_F(TRAGBarTest, SystemColourTakesThePaletteColourWhenDrawn) {
    QPalette palette = QGuiApplication::palette();
    const QPalette saved = palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(12, 34, 56));
    QGuiApplication::setPalette(palette);
    bars->SetColor(kSystemColorFlag + 5);  // the window colour
    engine.AddValue(0, 10);
    engine.Redraw(true);
    QGuiApplication::setPalette(saved);
    EXPECT_EQ(At(engine, 0, 169), qRgb(12, 34, 56));
}

// ----- Corner captions -----

class TRAGCaptionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.SetXStep(1.0);
        engine.SetGridX(2);   // a vertical line on every even column
        engine.Redraw(true);  // afterwards the outline is grey, so black is text only
    }

    // Bounding box of the black pixels.
    QRect BlackArea() {
        QRect area;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (At(engine, x, y) == kBlack) {
                    area |= QRect(x, y, 1, 1);
                }
            }
        }
        return area;
    }

    TRAG engine{200, 100};
};

TEST_F(TRAGCaptionTest, HiddenOrEmptyCaptionsWriteNothing) {
    engine.SetCaption(TRAG::TopLeft, QStringLiteral("Max"), false);
    engine.SetCaption(TRAG::TopRight, QString(), true);
    engine.Redraw(true);
    EXPECT_TRUE(BlackArea().isNull());
}

TEST_F(TRAGCaptionTest, CaptionsSitInTheirCorners) {
    engine.SetCaption(TRAG::TopLeft, QStringLiteral("HH"), true);
    engine.Redraw(true);
    const QRect topLeft = BlackArea();
    ASSERT_FALSE(topLeft.isNull());
    EXPECT_GE(topLeft.left(), 1);
    EXPECT_LT(topLeft.right(), 40);
    EXPECT_GE(topLeft.top(), 1);
    EXPECT_LT(topLeft.bottom(), 30);

    engine.SetCaption(TRAG::TopLeft, QString(), false);
    engine.SetCaption(TRAG::BottomRight, QStringLiteral("HH"), true);
    engine.Redraw(true);
    const QRect bottomRight = BlackArea();
    ASSERT_FALSE(bottomRight.isNull());
    EXPECT_LE(bottomRight.right(), 198);
    EXPECT_GT(bottomRight.left(), 160);
    EXPECT_LE(bottomRight.bottom(), 98);
    EXPECT_GT(bottomRight.top(), 70);
    EXPECT_EQ(bottomRight.size(), topLeft.size());
}

TEST_F(TRAGCaptionTest, OpaqueCaptionCoversTheGrid) {
    engine.SetCaption(TRAG::TopLeft, QStringLiteral(" "), true);
    engine.Redraw(true);
    EXPECT_EQ(At(engine, 2, 5), kGray);  // transparent: the grid shows through
    engine.SetOpaqueCaptions(true);
    engine.Redraw(true);
    EXPECT_EQ(At(engine, 2, 5), kWhite);
    EXPECT_EQ(At(engine, 0, 5), kGray);  // the box starts at column 1
}

}  // namespace
}  // namespace pulsewell
