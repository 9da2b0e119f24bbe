#include <gtest/gtest.h>

#include <QLocale>
#include <cstdint>

#include "app/TrafficGraphPicture.h"
#include "core/trafficgraph/ScaleCaption.h"

namespace pulsewell {
namespace {

const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kGray = qRgb(0x80, 0x80, 0x80);
const QRgb kWhite = qRgb(255, 255, 255);

using enum TrafficSeries;

class TrafficGraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QObject::connect(&graph, &TrafficGraph::Changed, [this] { ++changes; });
        // What the window's reset does with the graph.
        graph.SetUp();
        graph.ApplyGraphType(TGraphType::Separate, false);
        graph.ClearSeries();
        graph.Graphupdate();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void Add(TrafficSeries series, std::initializer_list<std::int64_t> values) {
        for (std::int64_t v : values) {
            graph.AddSample(series, v);
        }
    }

    QRgb At(int x, int y) const { return picture.Picture().pixel(x, y) | 0xFF000000u; }

    QStringList ScaleTexts() const {
        const TGraphCaptions& c = graph.Captions();
        return {c.Top.Text, c.ThreeQuarter.Text, c.Half.Text, c.Quarter.Text};
    }

    TrafficGraph graph;
    TrafficGraphPicture picture{graph};
    int changes = 0;
};

TEST_F(TrafficGraphTest, AfterResetTheGraphIsEmptyWithZeroCaptions) {
    const TGraphCaptions& c = graph.Captions();
    EXPECT_EQ(ScaleTexts(), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(c.Bottom.Text, "0");
    EXPECT_EQ(c.Unit.Text, "Bit/sec");
    EXPECT_TRUE(c.Top.Visible && c.ThreeQuarter.Visible && c.Half.Visible && c.Quarter.Visible);
    EXPECT_TRUE(c.Unit.Visible && c.Bottom.Visible);
    EXPECT_FALSE(c.Percent100.Visible || c.Percent75.Visible || c.Percent50.Visible ||
                 c.Percent25.Visible);
    EXPECT_EQ(graph.GridY(), 10);
    ASSERT_EQ(picture.Picture().size(), QSize(690, 170));
    for (int y = 0; y <= 160; y += 10) {
        EXPECT_EQ(At(5, y), kGray) << y;
        EXPECT_EQ(At(5, y + 5), kWhite) << y + 5;
    }
    EXPECT_GT(changes, 0);
}

TEST_F(TrafficGraphTest, SeparateBitsScaleFromTheLargerMaximum) {
    Add(InBits, {1002, 1002, 1002});
    Add(OutBits, {500, 500, 500});
    graph.Graphupdate();
    EXPECT_EQ(ScaleTexts(), (QStringList{"1,002", "752", "501", "250"}));
    EXPECT_EQ(graph.GridY(), 100);
    // Pen of two pixels: the sample's row and the one above it.
    EXPECT_EQ(At(4, 2), kGreen);
    EXPECT_EQ(At(4, 1), kGreen);
    EXPECT_NE(At(4, 3), kGreen);
    EXPECT_EQ(At(4, 85), kBlue);  // 170 - Round(500 * 170 / 1032) - 3
    EXPECT_EQ(At(4, 84), kBlue);
    EXPECT_NE(At(4, 86), kBlue);
}

TEST_F(TrafficGraphTest, GermanLocaleGroupsWithFullStops) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Add(OutBits, {1234567});
    graph.Graphupdate();
    EXPECT_EQ(ScaleTexts(), (QStringList{"1.234.567", "925.925", "617.284", "308.642"}));
    EXPECT_EQ(graph.GridY(), 123456);
}

TEST_F(TrafficGraphTest, OutputSuppliesTheMaximumWhenItIsLarger) {
    Add(InBits, {40});
    Add(OutBits, {60});
    graph.Graphupdate();
    EXPECT_EQ(graph.Captions().Top.Text, "60");
    EXPECT_EQ(graph.GridY(), 6);
}

TEST_F(TrafficGraphTest, GridSpacingFollowsTheMaximumInSteps) {
    Add(InBits, {5});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 10);  // 1 to 10 leaves it
    Add(InBits, {15});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 2);
    graph.ClearSeries();
    Add(InBits, {7});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 2);  // still the spacing of 15
    Add(InBits, {20});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 2);
    Add(InBits, {21});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 2);  // 21 div 10
    graph.ClearSeries();
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 10);
}

TEST_F(TrafficGraphTest, CombinedShowsOnlyTheCombinedSeriesOfTheUnit) {
    Add(InBits, {900, 900});
    Add(CombinedBits, {400, 400});
    Add(CombinedBytes, {50, 50});
    graph.ApplyGraphType(TGraphType::Combined, false);
    EXPECT_EQ(graph.Captions().Top.Text, "400");
    EXPECT_EQ(At(1, 2), kRed);
    for (int y = 0; y < 170; ++y) {
        ASSERT_NE(At(1, y), kGreen) << y;
    }
    graph.ApplyGraphType(TGraphType::Combined, true);
    EXPECT_EQ(graph.Captions().Top.Text, "50");
    EXPECT_EQ(graph.Captions().Unit.Text, "Bytes/sec");
    // Headroom 1.5 rounds to 2: 170 - Round(50 * 170 / 52) - 3 = 4.
    EXPECT_EQ(At(1, 4), kRed);
    EXPECT_NE(At(1, 5), kRed);
}

TEST_F(TrafficGraphTest, UnitSwitchShowsTheOtherSeriesWithTheirHistory) {
    Add(InBits, {8000, 8000});
    Add(InBytes, {1000, 1000});
    Add(OutBytes, {250, 250});
    graph.SetShowBytes(true);
    EXPECT_EQ(graph.Captions().Unit.Text, "Bytes/sec");
    graph.Graphupdate();
    EXPECT_EQ(ScaleTexts(), (QStringList{"1,000", "750", "500", "250"}));
    EXPECT_EQ(At(1, 2), kGreen);
    graph.SetShowBytes(false);
    EXPECT_EQ(graph.Captions().Unit.Text, "Bit/sec");
    graph.Graphupdate();
    EXPECT_EQ(graph.Captions().Top.Text, "8,000");
}

TEST_F(TrafficGraphTest, UtilizationShowsPercentBarsAndPercentCaptions) {
    Add(InBits, {123456});
    Add(Utilization, {10, 50, 90});
    graph.ApplyGraphType(TGraphType::Utilization, false);
    const TGraphCaptions& c = graph.Captions();
    EXPECT_FALSE(c.Top.Visible || c.ThreeQuarter.Visible || c.Half.Visible || c.Quarter.Visible);
    EXPECT_FALSE(c.Unit.Visible);
    EXPECT_TRUE(c.Percent100.Visible && c.Percent75.Visible && c.Percent50.Visible &&
                c.Percent25.Visible);
    EXPECT_EQ(c.Percent100.Text, "100%");
    EXPECT_EQ(c.Percent25.Text, "25%");
    EXPECT_EQ(c.Bottom.Text, "0%");
    EXPECT_EQ(graph.GridY(), 17);
    EXPECT_EQ(picture.Engine().YScale(), 1.0);
    EXPECT_EQ(At(20, 153), kGray);
    EXPECT_EQ(At(20, 136), kGray);
    EXPECT_EQ(At(20, 160), kWhite);
    // Thresholds 30 and 70 of the set-up; bars two pixels wide, 3 pixels apart.
    EXPECT_EQ(At(0, 169), kGreen);
    EXPECT_EQ(At(0, 151), kGreen);  // 10 %: 19 pixels high
    EXPECT_NE(At(0, 150), kGreen);
    EXPECT_EQ(At(2, 169), kYellow);
    EXPECT_EQ(At(3, 85), kYellow);  // 50 %: 85 pixels high
    EXPECT_NE(At(3, 84), kYellow);
    EXPECT_EQ(At(6, 19), kRed);  // 90 %: 151 pixels high
    EXPECT_NE(At(6, 18), kRed);
    EXPECT_NE(At(4, 100), kRed);

    graph.SetLowThreshold(60);
    graph.SetLowColor(0xFF0000);
    graph.Graphupdate();
    EXPECT_EQ(At(3, 169), kBlue);  // 50 % is now at or below the low threshold
}

TEST_F(TrafficGraphTest, BackFromUtilizationTheScaleCaptionsAreRecomputedAtOnce) {
    graph.ApplyGraphType(TGraphType::Utilization, false);
    Add(InBits, {2000});
    graph.Graphupdate();
    EXPECT_EQ(graph.Captions().Top.Text, "0");  // not maintained while hidden
    graph.ApplyGraphType(TGraphType::Separate, false);
    EXPECT_EQ(ScaleTexts(), (QStringList{"2,000", "1,500", "1,000", "500"}));
    EXPECT_TRUE(graph.Captions().Top.Visible);
    EXPECT_EQ(graph.Captions().Bottom.Text, "0");
    EXPECT_FALSE(graph.Captions().Percent50.Visible);
}

TEST_F(TrafficGraphTest, ZeroScaleCaptionsAfterAnInterfaceChange) {
    graph.ApplyGraphType(TGraphType::Utilization, false);
    graph.ZeroScaleCaptions();
    EXPECT_EQ(ScaleTexts(), (QStringList{"0", "0", "0", "0"}));
}

TEST_F(TrafficGraphTest, HugeMaximaKeepTheirGridAndReadableCaptions) {
    const std::int64_t max = 30'000'000'000;  // a tenth is beyond 32 bits
    Add(InBits, {max, max});
    graph.Graphupdate();
    EXPECT_EQ(graph.GridY(), 3'000'000'000);
    EXPECT_EQ(ScaleTexts(),
              (QStringList{"30,000,000,000", "22,500,000,000", "15,000,000,000", "7,500,000,000"}));
    EXPECT_EQ(At(5, 153), kGray);  // about every 16.5 pixels, as for small maxima
    EXPECT_EQ(At(5, 17), kGray);

    Add(InBits, {1'234'567'890'123'456});
    graph.Graphupdate();
    EXPECT_EQ(graph.Captions().Top.Text, "1,234,567,890,120,000");
}

TEST_F(TrafficGraphTest, SetUpReplacesTheEngineAndKeepsTheChoices) {
    Add(InBits, {500});
    graph.ApplyGraphType(TGraphType::Combined, true);
    graph.SetUp();
    EXPECT_EQ(graph.Series(InBits).Count(), 0);
    EXPECT_EQ(picture.Engine().Graphs()[0].Values().Count(), 0);
    EXPECT_EQ(graph.GridY(), 10);
    EXPECT_EQ(graph.GraphType(), TGraphType::Combined);
    EXPECT_TRUE(graph.ShowBytes());
}

// The series keep more than the 690-pixel picture shows, for a wider one;
// the scale follows the samples shown.
TEST_F(TrafficGraphTest, SeriesKeepMoreSamplesThanThePictureShows) {
    for (int i = 0; i <= TrafficGraph::kHeldSamples; ++i) {
        graph.AddSample(InBits, i == 1 ? 99999 : 10);
    }
    graph.Graphupdate();
    EXPECT_EQ(graph.Series(InBits).Count(), TrafficGraph::kHeldSamples);
    EXPECT_EQ(graph.Series(InBits).MaxValue(), 99999);
    EXPECT_EQ(picture.Engine().Graphs()[0].Values().Count(), 230);
    EXPECT_EQ(graph.Captions().Top.Text, "10");
}

TEST(ScaleCaptionTextTest, TwelveSignificantDigitsHalvesToEven) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ScaleCaptionText(0, us), "0");
    EXPECT_EQ(ScaleCaptionText(999'999'999'999, us), "999,999,999,999");
    EXPECT_EQ(ScaleCaptionText(1'000'000'000'025, us), "1,000,000,000,020");
    EXPECT_EQ(ScaleCaptionText(1'000'000'000'035, us), "1,000,000,000,040");
    EXPECT_EQ(ScaleCaptionText(1'000'000'000'026, us), "1,000,000,000,030");
    EXPECT_EQ(ScaleCaptionText(INT64_MAX, us), "9,223,372,036,850,000,000");
    EXPECT_EQ(ScaleCaptionText(INT64_MIN, us), "-9,223,372,036,850,000,000");
    EXPECT_EQ(ScaleCaptionText(-1234, us), "-1,234");
    EXPECT_EQ(ScaleCaptionText(1234, QLocale(QLocale::German, QLocale::Germany)), "1.234");
}

}  // namespace
}  // namespace pulsewell
