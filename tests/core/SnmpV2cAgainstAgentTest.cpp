#include <gtest/gtest.h>

#include <QFile>

#include "core/Monitor.h"
#include "core/ProgramFolder.h"
#include "core/device/SnmpDeviceReader.h"
#include "core/discovery/InterfaceCells.h"
#include "core/polling/TrafficLogs.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// A monitor set to SNMPv2c, pointed at the private agent through the real reader.
class SnmpV2cAgainstAgent : public ::testing::Test {
  protected:
    SnmpV2cAgainstAgent() {
        monitor.ResetAll();
        monitor.SetHost(QString::fromStdString(test::TestAgentAddress()));
        monitor.SetCommunity(QString::fromLatin1(test::kTestAgentCommunity));
        monitor.SetSnmpVersion(SnmpVersion::V2c);
        test::UseSteppingClock(monitor);
    }
    ~SnmpV2cAgainstAgent() override { test::ResetAgentState(); }

    void Set(int ifIndex, const char* column, const char* value) {
        test::SetAgentInterfaceValue(ifIndex, column, value);
    }
    void Poll(int ifIndex) {
        monitor.OfferInterfaces({QString::number(ifIndex)});
        monitor.PollOnce();
        ASSERT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
    }

    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    Monitor monitor{view, reader, player};
};

TEST_F(SnmpV2cAgainstAgent, WideCountersMeasureExactlyAndARestartCountsNothing) {
    constexpr int kIfIndex = 20;
    Set(kIfIndex, "ifInOctets", "7");  // the 32-bit counters are not asked
    Set(kIfIndex, "ifOutOctets", "7");
    Set(kIfIndex, "ifHCInOctets", "18000000000000000000");  // above 2^63
    Set(kIfIndex, "ifHCOutOctets", "1000");
    monitor.SelectInterval(6);
    monitor.SetWriteDebugLog(true);
    monitor.SetBandwidth("100000000000");
    Poll(kIfIndex);

    // 6 s of 100 Gbit/s in; out 6 x 2^32 octets, which no 32-bit counter could tell.
    Set(kIfIndex, "ifHCInOctets", "18000000075000000000");
    Set(kIfIndex, "ifHCOutOctets", "25769804776");
    Poll(kIfIndex);
    EXPECT_TRUE(monitor.Messages().LastLine().endsWith(
        "; IN bits/s: 100000000000; OUT bits/s: 34359738368; utilization: 134.40 %"))
        << monitor.Messages().LastLine().toStdString();
    EXPECT_EQ(test::Totals(monitor.Status()),
              (std::array<std::int64_t, 3>{75000000000, 25769803776, 100769803776}));
    EXPECT_EQ(QString(monitor.Graph().Captions().Top.Text).remove(QLocale().groupSeparator()),
              "100000000000");

    // The device restarted its output counter: no spike, no jump in the totals.
    Set(kIfIndex, "ifHCInOctets", "18000000150000000000");
    Set(kIfIndex, "ifHCOutOctets", "500");
    Poll(kIfIndex);
    const QStringList lines = monitor.Messages().Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1],
              "64-bit counter fell for outgoing traffic (device restart or counter "
              "reset), counted as 0");
    EXPECT_TRUE(
        lines[2].endsWith("; IN bits/s: 100000000000; OUT bits/s: 0; utilization: 100.00 %"))
        << lines[2].toStdString();
    EXPECT_EQ(monitor.Status().totalOut, 25769803776);

    // The next poll measures from the new reading.
    Set(kIfIndex, "ifHCOutOctets", "6500");
    Poll(kIfIndex);
    EXPECT_TRUE(monitor.Messages().LastLine().contains("; OUT bits/s: 8000;"))
        << monitor.Messages().LastLine().toStdString();

    // A glitching agent: a step of 2^63 or more is no traffic either.
    Set(kIfIndex, "ifHCOutOctets", "18446744073709551615");
    Poll(kIfIndex);
    EXPECT_TRUE(monitor.Messages().Lines().contains(
        "64-bit counter leapt by 2^63 or more for outgoing traffic (a glitch of the agent), "
        "counted as 0"));
    EXPECT_EQ(monitor.Status().totalOut, 25769803776 + 6000);

    LogSubject logs;
    logs.Host = monitor.State().Device.Host;
    logs.InterfaceNumber = monitor.State().InterfaceNumber;
    QFile debugLog(DebugLogPath(ProgramFolder(), logs));
    ASSERT_TRUE(debugLog.open(QIODevice::ReadOnly));
    const QString log = QString::fromLatin1(debugLog.readAll());
    EXPECT_TRUE(
        log.contains("; orgin 18000000075000000000; inbyte 75000000000; inbit "
                     "600000000000; inbytepers 12500000000; inbitpers 100000000000; "
                     "utilbit 134.359738368;"))
        << log.toStdString();
}

TEST_F(SnmpV2cAgainstAgent, InterfaceWithoutWideCountersFallsBackOnce) {
    constexpr int kIfIndex = 21;
    Set(kIfIndex, "ifInOctets", "4294967000");
    Set(kIfIndex, "ifOutOctets", "2000");
    monitor.SelectInterval(6);
    Poll(kIfIndex);
    Set(kIfIndex, "ifInOctets", "304");  // the 32-bit wrap rule holds for them
    Set(kIfIndex, "ifOutOctets", "2600");
    Poll(kIfIndex);

    const QStringList lines = monitor.Messages().Lines();
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0],
              "No 64-bit counters for interface 21: polling its 32-bit counters over SNMPv2c");
    EXPECT_EQ(lines[1], "Integer wrap around occured for incoming traffic");
    EXPECT_TRUE(lines[2].endsWith("; IN bits/s: 800; OUT bits/s: 800; utilization: 0.00 %"))
        << lines[2].toStdString();
}

// A 64-bit counter missing at one poll is a missing value; the next poll
// reads the 64-bit counters again.
TEST_F(SnmpV2cAgainstAgent, WideCounterMissingOnceIsAMissingValue) {
    constexpr int kIfIndex = 23;
    Set(kIfIndex, "ifInOctets", "7");  // what a fallback would read
    Set(kIfIndex, "ifHCInOctets", "5000000000");
    Set(kIfIndex, "ifHCOutOctets", "6000000000");
    Poll(kIfIndex);
    test::RemoveAgentInterfaceValue(kIfIndex, "ifHCInOctets");
    Poll(kIfIndex);
    Set(kIfIndex, "ifHCInOctets", "7000000000");
    Poll(kIfIndex);
    EXPECT_EQ(monitor.State().Traffic.In.Now.Text, QStringLiteral("7000000000"));
    EXPECT_TRUE(monitor.Messages().Lines().filter("No 64-bit counters").isEmpty());
}

TEST_F(SnmpV2cAgainstAgent, DiscoveryTakesATenGigabitSpeedFromIfHighSpeed) {
    constexpr int kIfIndex = 22;
    Set(kIfIndex, "ifType", "6");
    Set(kIfIndex, "ifSpeed", "4294967295");
    Set(kIfIndex, "ifAdminStatus", "1");
    Set(kIfIndex, "ifOperStatus", "1");
    Set(kIfIndex, "ifHighSpeed", "10000");
    monitor.FirstContact();
    ASSERT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
    const int entry = static_cast<int>(monitor.InterfaceEntries().indexOf("22"));
    ASSERT_GE(entry, 0);
    EXPECT_EQ(monitor.Table().Cell(2, 1), SpeedCell("10000000"));  // lo, from ifSpeed
    EXPECT_EQ(monitor.Table().Cell(2, entry + 1), SpeedCell("10000000000"));
    monitor.SelectInterface(entry);
    EXPECT_EQ(monitor.State().Bandwidth, "10000000000");
}

TEST_F(SnmpV2cAgainstAgent, ProbeOfAnAgentThatIgnoresV2cSaysSo) {
    reader.SetTimeout(200);
    monitor.SetCommunity("v1only");  // the agent answers it in SNMPv1 only
    monitor.OfferInterfaces({"2"});
    monitor.StartPolling();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_EQ(monitor.Status().statusText,
              "Failure contacting host! The device did not answer in SNMPv2c.");

    monitor.SetSnmpVersion(SnmpVersion::V1);
    monitor.StartPolling();
    EXPECT_TRUE(monitor.IsPolling());
    // Switched to SNMPv2c while polling: the hint once, however many polls.
    monitor.SetSnmpVersion(SnmpVersion::V2c);
    monitor.PollOnce();
    monitor.PollOnce();
    EXPECT_EQ(monitor.Messages().Lines().count(
                  "Failure contacting host! The device did not answer in SNMPv2c."),
              1);
    monitor.StopPolling();
}

}  // namespace
}  // namespace pulsewell
