#include <gtest/gtest.h>

#include "tests/core/Discovered.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// Real devices' tables (odd indexes, empty addresses, descriptions with
// blanks, no duplex object, a missing speed that stops discovery with the
// conversion error, tables that end the agent's tree): several objects per
// request, requests too narrow for a row, and over SNMPv2c the walks by
// GetBulk, give the table and the error of one object per request.
TEST(DiscoveryAgainstRecordings, TableEqualsOneObjectPerRequest) {
    const QString host = QString::fromStdString(test::TestSimulatorAddress());
    ASSERT_FALSE(host.isEmpty());
    const int width = SnmpDeviceReader().QueryWidth();
    const struct {
        SnmpVersion version;
        QList<test::DiscoveryWay> ways;
    } cases[] = {
        {SnmpVersion::V1, {{3}, {width}}},
        {SnmpVersion::V2c, {{1, SnmpVersion::V2c}, {width, SnmpVersion::V2c}}},
    };
    int recordingsWithInterfaces = 0;
    for (const auto& c : cases) {
        for (const std::string& name : test::TestSimulatorCommunities()) {
            SCOPED_TRACE(name);
            test::TempHome home;
            const QString community = QString::fromStdString(name);
            const test::Discovered alone = test::Discover(host, community, {1, c.version, false});
            if (alone.interfaces.isEmpty()) {
                continue;  // a recording without an interface table
            }
            ++recordingsWithInterfaces;
            for (const test::DiscoveryWay& way : c.ways) {
                SCOPED_TRACE(way.width);
                const test::Discovered together = test::Discover(host, community, way);
                EXPECT_EQ(together.shown, alone.shown);
                // A discovery that an error stops at its first row has nothing to save.
                if (alone.errors.isEmpty()) {
                    EXPECT_LT(together.requests, alone.requests);
                }
            }
        }
    }
    EXPECT_GE(recordingsWithInterfaces, 2 * 5);
}

// The octet counters that follow the index column of a table without columns
// 2 to 9 are no interfaces, walked by GetNext or by GetBulk.
TEST(DiscoveryAgainstRecordings, CountersAfterTheIndexColumnAreNoInterfaces) {
    const QString host = QString::fromStdString(test::TestSimulatorAddress());
    for (const bool bulk : {false, true}) {
        test::TempHome home;
        EXPECT_EQ(test::Discover(host, "counters_only", {16, SnmpVersion::V2c, bulk}).interfaces,
                  (QStringList{"1", "2"}));
    }
}

}  // namespace
}  // namespace pulsewell
