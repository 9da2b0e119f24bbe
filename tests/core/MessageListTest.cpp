#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/MessageList.h"

namespace pulsewell {
namespace {

TEST(MessageList, TrimKeepsTheNewestThousandLines) {
    MessageList list;
    for (int i = 0; i < 1003; ++i) {
        list.Append(QString::number(i));
    }
    QSignalSpy removed(&list, &MessageList::FirstLinesRemoved);
    list.Trim();
    EXPECT_EQ(list.Count(), 1000);
    EXPECT_EQ(list.Lines().first(), "3");
    EXPECT_EQ(list.LastLine(), "1002");
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.first().first().toInt(), 3);
}

TEST(MessageList, TrimBelowTheLimitChangesNothing) {
    MessageList list;
    list.Append("a");
    QSignalSpy removed(&list, &MessageList::FirstLinesRemoved);
    list.Trim();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(removed.count(), 0);
}

TEST(MessageList, LinesAddedAfterTrimmingMayExceedTheLimitUntilTheNextTrim) {
    MessageList list;
    for (int i = 0; i < 1000; ++i) {
        list.Append("old");
    }
    list.Append("wrap");
    list.Trim();
    list.Append("traffic");
    EXPECT_EQ(list.Count(), 1001);
    list.Trim();
    EXPECT_EQ(list.Count(), 1000);
    EXPECT_EQ(list.LastLine(), "traffic");
}

TEST(MessageList, EmptyListHasEmptyLastLine) {
    MessageList list;
    EXPECT_TRUE(list.LastLine().isEmpty());
    list.Append("x");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.LastLine().isEmpty());
}

}  // namespace
}  // namespace pulsewell
