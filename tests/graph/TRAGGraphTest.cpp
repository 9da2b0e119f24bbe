#include <gtest/gtest.h>

#include "graph/TRAGGraph.h"

namespace pulsewell {
namespace {

TEST(TRAGGraphTest, CapacityDropsOldestAndRecomputesMaximum) {
    TRAGGraph graph(230);
    graph.AddValue(50);  // neither the first nor the largest sample that goes
    graph.AddValue(900);
    for (int i = 0; i < 228; ++i) {
        graph.AddValue(10);
    }
    EXPECT_EQ(graph.Values().Count(), 230);
    EXPECT_EQ(graph.MaxValue(), 900);

    graph.AddValue(20);  // the 231st drops the 50
    EXPECT_EQ(graph.Values().Count(), 230);
    EXPECT_EQ(graph.Values().GetItem(0), 900);
    EXPECT_EQ(graph.MaxValue(), 900);

    graph.AddValue(30);  // drops the 900
    EXPECT_EQ(graph.Values().GetItem(0), 10);
    EXPECT_EQ(graph.Values().GetItem(229), 30);
    EXPECT_EQ(graph.MaxValue(), 30);
}

TEST(TRAGGraphTest, NegativeSamplesAreKeptButNeverRaiseTheMaximum) {
    TRAGGraph graph(3);
    graph.AddValue(-5);
    graph.AddValue(INT64_MIN);
    EXPECT_EQ(graph.MaxValue(), 0);
    EXPECT_EQ(graph.Values().GetItem(1), INT64_MIN);

    graph.AddValue(4);
    graph.AddValue(-1);  // drops -5, the window is INT64_MIN, 4, -1
    EXPECT_EQ(graph.MaxValue(), 4);
    graph.AddValue(-2);
    graph.AddValue(-3);  // only negatives left
    EXPECT_EQ(graph.MaxValue(), 0);
}

TEST(TRAGGraphTest, ClearEmptiesAndResetsMaximum) {
    TRAGGraph graph(10);
    graph.AddValue(77);
    graph.Clear();
    EXPECT_EQ(graph.Values().Count(), 0);
    EXPECT_EQ(graph.MaxValue(), 0);
}

TEST(TRAGGraphTest, StartsWithOnePointPerSlotAndCalcPointsSizesToTheSamples) {
    TRAGGraph graph(230);
    EXPECT_EQ(graph.Points().size(), 230u);
    graph.AddValue(0);
    graph.AddValue(100);
    graph.CalcPoints(690, 170, 1.0, 3.0);
    ASSERT_EQ(graph.Points().size(), 2u);
    EXPECT_EQ(graph.Points()[0], QPoint(0, 167));
    EXPECT_EQ(graph.Points()[1], QPoint(3, 67));
}

TEST(TRAGGraphTest, PercentBarHeightsRunFromThreeToHeightLessThree) {
    TRAGGraph graph(10);
    graph.SetStyle(gsPercentBars);
    for (std::int64_t v : {0, 19, 20, 71, 100}) {
        graph.AddValue(v);
    }
    graph.CalcPoints(690, 170, 1.0, 2.5);
    const std::vector<QPoint>& p = graph.Points();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0], QPoint(0, 3));
    EXPECT_EQ(p[1], QPoint(2, 34));  // 2.5 rounds to 2
    EXPECT_EQ(p[2], QPoint(5, 36));
    EXPECT_EQ(p[3], QPoint(8, 119));  // 7.5 rounds to 8
    EXPECT_EQ(p[4], QPoint(10, 167));
}

}  // namespace
}  // namespace pulsewell
