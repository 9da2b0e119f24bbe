#include <gtest/gtest.h>

#include "graph/TLinkedList.h"

namespace pulsewell {
namespace {

TEST(TLinkedListTest, KeepsOrderAcrossGrowthAndWrapAround) {
    TLinkedList list;
    // Drop from the front while adding, so the ring wraps and then grows.
    for (int i = 0; i < 6; ++i) {
        list.Add(i);
    }
    EXPECT_EQ(list.RemoveFirst(), 0);
    EXPECT_EQ(list.RemoveFirst(), 1);
    for (int i = 6; i < 20; ++i) {
        list.Add(i);
    }
    ASSERT_EQ(list.Count(), 18);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(list.GetItem(i), i + 2) << i;
    }
}

TEST(TLinkedListTest, ReadingPastTheEndYieldsMinusOne) {
    TLinkedList list;
    EXPECT_EQ(list.GetItem(0), -1);
    list.Add(42);
    EXPECT_EQ(list.GetItem(0), 42);
    EXPECT_EQ(list.GetItem(1), -1);
    EXPECT_EQ(list.GetItem(1000), -1);
}

TEST(TLinkedListTest, RemoveFirstOnEmptyListYieldsMinusOneAndKeepsItEmpty) {
    TLinkedList list;
    EXPECT_EQ(list.RemoveFirst(), -1);
    EXPECT_EQ(list.Count(), 0);
    list.Add(7);
    EXPECT_EQ(list.GetItem(0), 7);
}

TEST(TLinkedListTest, ClearEmptiesAndTheListCanBeRefilled) {
    TLinkedList list;
    for (int i = 0; i < 10; ++i) {
        list.Add(i * 10);
    }
    list.RemoveFirst();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetItem(0), -1);
    list.Add(-5);
    list.Add(INT64_MIN);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetItem(0), -5);
    EXPECT_EQ(list.GetItem(1), INT64_MIN);
}

}  // namespace
}  // namespace pulsewell
