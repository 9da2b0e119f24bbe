#include <gtest/gtest.h>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// A monitor pointed at the private agent through the real SNMP reader.
class PollAgainstAgent : public ::testing::Test {
  protected:
    PollAgainstAgent() {
        monitor.ResetAll();
        monitor.SetHost(QString::fromStdString(test::TestAgentAddress()));
        monitor.SetCommunity(QString::fromLatin1(test::kTestAgentCommunity));
        test::UseSteppingClock(monitor);
    }

    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    Monitor monitor{view, reader, player};
};

// The whole poll path over the real agent: SNMP requests, the sign rule for
// counters above 2^31, the wrap-around and the traffic line.
TEST_F(PollAgainstAgent, CountsTrafficAcrossAWrapAround) {
    constexpr int kIfIndex = 11;  // this test's own interface on the shared agent
    test::SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "4294967000");
    test::SetAgentInterfaceValue(kIfIndex, "ifInOctets", "3000000000");

    monitor.OfferInterfaces({QString::number(kIfIndex)});
    monitor.SelectInterval(1);

    monitor.PollOnce();
    EXPECT_EQ(monitor.State().Traffic.In.Now.Counter, 3000000000);
    EXPECT_EQ(monitor.State().Traffic.Out.Now.Counter, 4294967000);

    test::SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "704");
    test::SetAgentInterfaceValue(kIfIndex, "ifInOctets", "3000001000");
    monitor.PollOnce();

    EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
    ASSERT_EQ(monitor.Messages().Count(), 2);
    EXPECT_EQ(monitor.Messages().Lines()[0], "Integer wrap around occured for outgoing traffic");
    EXPECT_TRUE(monitor.Messages().LastLine().endsWith(
        "; IN bits/s: 8000; OUT bits/s: 8000; utilization: 0.00 %"))
        << monitor.Messages().LastLine().toStdString();
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{1000, 1000, 2000}));
}

TEST_F(PollAgainstAgent, StartPollingProbesTheAgent) {
    monitor.OfferInterfaces({"2"});
    monitor.StartPolling();
    EXPECT_TRUE(monitor.IsPolling());
    EXPECT_TRUE(view.errors.isEmpty());
    monitor.StopPolling();
    EXPECT_FALSE(monitor.IsPolling());
}

}  // namespace
}  // namespace pulsewell
