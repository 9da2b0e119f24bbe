#include <gtest/gtest.h>

#include <QFile>

#include "tests/core/PolledMonitor.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

class MonitorPollTest : public test::PolledMonitor {};

TEST_F(MonitorPollTest, BandwidthSeparatorsAreRemoved) {
    Counters(1, 1);
    for (const char* typed : {"1.000.000", "1,000,000", "1 000 000"}) {
        monitor.SetBandwidth(QString::fromLatin1(typed));
        monitor.PollOnce();
        EXPECT_EQ(monitor.State().Bandwidth, "1000000");
        EXPECT_EQ(monitor.Status().bandwidth, "1000000");
    }
}

TEST_F(MonitorPollTest, MissingHostOrInterfaceZeroAsksForInputAndReadsNothing) {
    monitor.SetHost("");
    monitor.PollOnce();
    monitor.SetHost("10.1.1.1");
    monitor.OfferInterfaces({"0"});
    monitor.PollOnce();
    EXPECT_EQ(view.messageBoxes, (QStringList{"Error: Please enter an IP address!!",
                                              "Error: No interface selected!!"}));
    EXPECT_TRUE(reader.requests.isEmpty());
    EXPECT_TRUE(monitor.Status().commands.startPolling);
    EXPECT_TRUE(monitor.Status().commands.firstContact);
}

TEST_F(MonitorPollTest, SilentDeviceWithoutContinueStopsAfterBothRequests) {
    monitor.SetContinueWithZeroes(false);
    monitor.PollOnce();
    EXPECT_EQ(reader.requests.size(), 2);
    EXPECT_EQ(monitor.Status().statusText, "Failure contacting host! Polling stopped!");
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_TRUE(monitor.Status().commands.startPolling);
}

TEST_F(MonitorPollTest, EmptyInputReadingWithoutContinueStopsBeforeStoringTheOutput) {
    monitor.SetContinueWithZeroes(false);
    reader.Answer(kOut, "7000");
    reader.Answer(kIn, "");
    monitor.PollOnce();
    EXPECT_EQ(monitor.Status().statusText, "No values from host! Polling stopped!");
    EXPECT_EQ(monitor.State().Traffic.Out.Now.Counter, 0);
}

}  // namespace
}  // namespace pulsewell
