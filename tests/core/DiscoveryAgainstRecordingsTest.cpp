#include <gtest/gtest.h>

#include "Monitor.h"
#include "QtPrinters.h"
#include "RecordingSoundPlayer.h"
#include "RecordingView.h"
#include "SnmpDeviceReader.h"
#include "TempHome.h"
#include "TestAgent.h"

namespace pulsewell {
namespace {

// What one discovery shows: every cell, the interface list, the count and
// the errors.
struct Discovered {
    QStringList cells;
    QStringList interfaces;
    QString count;
    QStringList errors;
    int requests = 0;  // through the query component
};

Discovered Discover(const QString& community, int width) {
    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    reader.QueryComponent().SetThrottle(0);  // the values are the same, only sooner
    reader.QueryComponent().SetWidth(width);
    Monitor monitor(view, reader, player);
    monitor.ResetAll();
    monitor.SetHost(QString::fromStdString(test::TestSimulatorAddress()));
    monitor.SetCommunity(community);
    monitor.FirstContact();
    Discovered discovered{{},
                          view.interfaces,
                          monitor.InterfaceCount(),
                          view.errors,
                          reader.QueryComponent().Client().Query.ID - 1};
    for (int row = 0; row < monitor.Table().RowCount(); ++row) {
        for (int column = 0; column < InterfaceTable::kColumns; ++column) {
            discovered.cells.append(monitor.Table().Cell(column, row));
        }
    }
    return discovered;
}

// Real devices' tables (odd indexes, empty addresses, descriptions with
// blanks, no duplex object, a missing speed that stops discovery with the
// conversion error): several objects per request, and requests too narrow
// for a row, give the table and the error of one object per request.
TEST(DiscoveryAgainstRecordings, TableEqualsOneObjectPerRequest) {
    ASSERT_FALSE(test::TestSimulatorAddress().empty());
    int recordingsWithInterfaces = 0;
    for (const std::string& name : test::TestSimulatorCommunities()) {
        SCOPED_TRACE(name);
        const QString community = QString::fromStdString(name);
        const Discovered alone = Discover(community, 1);
        if (alone.interfaces.isEmpty()) {
            continue;  // a recording without an interface table
        }
        ++recordingsWithInterfaces;
        for (const int width : {3, SnmpDeviceReader().QueryWidth()}) {
            SCOPED_TRACE(width);
            const Discovered together = Discover(community, width);
            EXPECT_EQ(together.cells, alone.cells);
            EXPECT_EQ(together.interfaces, alone.interfaces);
            EXPECT_EQ(together.count, alone.count);
            EXPECT_EQ(together.errors, alone.errors);
            EXPECT_LT(together.requests, alone.requests);
        }
    }
    EXPECT_GE(recordingsWithInterfaces, 5);
}

}  // namespace
}  // namespace pulsewell
