#include <gtest/gtest.h>

#include "core/discovery/InterfaceTable.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

TEST(InterfaceTableTest, ExportLinesEndEveryCellWithSemicolonAndBlank) {
    InterfaceTable table;
    table.WriteTitles();
    EXPECT_EQ(table.ExportLines(),
              (QStringList{"Interface; Description; Speed; Duplex; MAC Address; MTU; "
                           "AdminStatus; OperStatus; ifType; ",
                           "; ; ; ; ; ; ; ; ; "}));

    const QStringList row = {
        "2",  "eth0", "100,000,000",        "unknown", "00 1A 2B 00 00 01 ", "1500",
        "up", "down", "ethernet-csmacd (6)"};
    for (int c = 0; c < InterfaceTable::kColumns; ++c) {
        table.SetCell(c, 2, row[c]);
    }
    const QStringList lines = table.ExportLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "; ; ; ; ; ; ; ; ; ");
    EXPECT_EQ(lines[2],
              "2; eth0; 100,000,000; unknown; 00 1A 2B 00 00 01 ; 1500; up; down; "
              "ethernet-csmacd (6); ");
}

TEST(InterfaceTableTest, ChangedNamesTheRowsThatChanged) {
    InterfaceTable table;
    QList<std::pair<int, int>> ranges;
    QObject::connect(&table, &InterfaceTable::Changed, [&](int first, int last) {
        ranges.append({first, last});
    });
    table.SetRowCount(4);
    table.SetCell(3, 2, "x");
    table.ClearDataCells();
    table.SetRowCount(2);
    table.WriteTitles();
    EXPECT_EQ(ranges, (QList<std::pair<int, int>>{{2, 3}, {2, 2}, {1, 3}, {2, 3}, {0, 0}}));
    EXPECT_EQ(table.RowCount(), 2);
}

}  // namespace
}  // namespace pulsewell
