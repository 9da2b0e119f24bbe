#include <gtest/gtest.h>

#include <QFile>

#include "tests/core/PolledMonitor.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

class SchedulerTest : public test::PolledMonitor {};

TEST_F(SchedulerTest, ShortIntervalsSwitchTheLogsOffAndLockThem) {
    monitor.SetWriteLog(true);
    monitor.SelectInterval(3);
    EXPECT_FALSE(monitor.State().Schedule.WriteLog);
    EXPECT_FALSE(monitor.Status().logSwitchesEnabled);
    monitor.SetWriteLog(true);
    EXPECT_FALSE(monitor.State().Schedule.WriteLog);
    monitor.SelectInterval(15);
    EXPECT_TRUE(monitor.Status().logSwitchesEnabled);
    EXPECT_FALSE(monitor.Status().writeLog);
    monitor.ChooseInterval(1);  // the middle click
    EXPECT_EQ(monitor.Status().intervalSeconds, 1);
    EXPECT_EQ(monitor.State().Schedule.IntervalSeconds, 1);
}

TEST_F(SchedulerTest, IntervalChoiceZeroesTheCounters) {
    Counters(1000, 1000);
    monitor.PollOnce();
    monitor.SelectInterval(30);
    Counters(5000, 5000);
    monitor.PollOnce();
    EXPECT_EQ(monitor.Messages().Count(), 0);  // no difference, no traffic line
}

TEST_F(SchedulerTest, ChoosingTheChosenIntervalAgainKeepsTheCounters) {
    for (const int seconds : {6, 1}) {  // a click, then the middle click
        monitor.ChooseInterval(seconds);
        Counters(1000, 1000);
        monitor.PollOnce();
        monitor.ChooseInterval(seconds);
        Counters(2000, 2000);
        monitor.PollOnce();
        EXPECT_TRUE(monitor.Messages().LastLine().contains("; IN bits/s: ")) << seconds;
        monitor.Messages().Clear();
    }
}

TEST_F(SchedulerTest, StartPollingProbesThenPollsAtOnce) {
    reader.Answer(kSpeed, "100000000");
    Counters(1000, 1000);
    monitor.StartPolling();
    EXPECT_TRUE(monitor.IsPolling());
    EXPECT_EQ(monitor.PollPeriodMs(), 6000);
    EXPECT_EQ(reader.requests.first(), "query " + kSpeed + " cobalt@10.1.1.1");
    EXPECT_EQ(reader.requests.size(), 3);
    EXPECT_TRUE(monitor.Status().communityReadOnly);
    EXPECT_FALSE(monitor.Status().commands.startPolling);
    EXPECT_EQ(monitor.Status().hosts, QStringList{"10.1.1.1"});
    EXPECT_EQ(monitor.Status().countdownText, "Next poll in 6 seconds");
}

TEST_F(SchedulerTest, FailedProbeDoesNotStartPolling) {
    monitor.StartPolling();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_EQ(monitor.Status().statusText, "Failure contacting host!");
    EXPECT_EQ(reader.requests.size(), 1);
    EXPECT_TRUE(monitor.Status().commands.startPolling);
    EXPECT_TRUE(monitor.Status().communityReadOnly);
}

TEST_F(SchedulerTest, CountdownShowsSecondsThenOneSecond) {
    reader.Answer(kSpeed, "0");
    Counters(1000, 1000);
    monitor.StartPolling();
    QStringList shown;
    for (int tick = 0; tick < 5; ++tick) {
        monitor.CountdownTick();
        shown.append(monitor.Status().countdownText);
    }
    EXPECT_EQ(shown, (QStringList{"Next poll in 5 seconds", "Next poll in 4 seconds",
                                  "Next poll in 3 seconds", "Next poll in 2 seconds",
                                  "Next poll in 1 second"}));
    EXPECT_FALSE(monitor.IsCountingDown());
    monitor.ChooseInterval(1);
    monitor.PollOnce();  // counts down from one
    EXPECT_EQ(monitor.Status().countdownText, "Next poll in 1 second");
}

// The timers run on the monitor's clock: a poll falls due every interval
// and starts the countdown again, until polling stops.
TEST_F(SchedulerTest, PollsFallDueEveryIntervalOnTheClockUntilStopped) {
    reader.Answer(kSpeed, "0");
    Counters(1000, 1000);
    monitor.StartPolling();  // the probe and the first poll's two reads
    struct Step {
        int advanceMs;
        qsizetype requests;
        QString countdown;
    };
    for (const Step& step :
         {Step{1000, 3, "Next poll in 5 seconds"}, Step{5000, 5, "Next poll in 6 seconds"},
          Step{12000, 9, "Next poll in 6 seconds"}}) {
        clock->Advance(step.advanceMs);
        EXPECT_EQ(reader.requests.size(), step.requests) << step.advanceMs;
        EXPECT_EQ(monitor.Status().countdownText, step.countdown) << step.advanceMs;
    }
    monitor.StopPolling();
    clock->Advance(60000);
    EXPECT_EQ(reader.requests.size(), 9);
}

TEST_F(SchedulerTest, StopReportsAndZeroesTheTotals) {
    Counters(1000, 1000);
    monitor.PollOnce();
    Counters(1500, 2000);
    monitor.PollOnce();
    monitor.StopPolling();
    EXPECT_EQ(monitor.Messages().LastLine(),
              "Total traffic transferred IN: 1000 bytes; OUT: 500 bytes; combined: 1500 bytes");
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{0, 0, 0}));
    EXPECT_EQ(monitor.Status().statusText, "Polling stopped by user.");
    EXPECT_FALSE(monitor.Status().communityReadOnly);
    monitor.StopPolling();
    EXPECT_EQ(monitor.Messages().LastLine(),
              "Total traffic transferred IN: 0 bytes; OUT: 0 bytes; combined: 0 bytes");
}

TEST_F(SchedulerTest, NewPeriodAppliesFromTheNextTickWhichComputesNoDifference) {
    struct Case {
        int from;
        int to;
    };
    for (const Case c : {Case{300, 3}, Case{6, 1}}) {  // a click; the middle click
        monitor.ResetAll();
        monitor.SetHost("10.1.1.1");
        monitor.OfferInterfaces({"2"});
        monitor.ChooseInterval(c.from);
        monitor.SetWriteLog(true);
        reader.Answer(kSpeed, "0");
        Counters(1000, 1000);
        monitor.StartPolling();
        Counters(2000, 2000);
        monitor.ChooseInterval(c.to);
        EXPECT_FALSE(monitor.State().Schedule.WriteLog) << c.to;  // switched off at once
        EXPECT_EQ(monitor.PollPeriodMs(), c.from * 1000) << "the running period ends first";
        monitor.PollTick();
        EXPECT_EQ(monitor.PollPeriodMs(), c.to * 1000);
        EXPECT_EQ(monitor.Messages().Count(), 0) << "no difference after the choice";
        Counters(3000, 3000);
        monitor.PollTick();
        EXPECT_EQ(monitor.PollPeriodMs(), c.to * 1000);
        EXPECT_EQ(monitor.Messages().Count(), 1) << c.from << " to " << c.to;
    }
}

TEST_F(SchedulerTest, ResetAllWhilePollingStopsThePollsButNotTheCountdown) {
    reader.Answer(kSpeed, "0");
    Counters(1000, 1000);
    monitor.StartPolling();
    Counters(2000, 2000);
    monitor.PollTick();
    ASSERT_GT(monitor.State().Traffic.Total.Combined, 0);
    monitor.CountdownTick();
    monitor.ResetAll();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_TRUE(monitor.IsCountingDown());
    EXPECT_TRUE(monitor.Status().communityReadOnly);
    EXPECT_FALSE(monitor.Status().commands.startPolling);
    EXPECT_FALSE(monitor.Status().commands.stopPolling);
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{0, 0, 0}));
    EXPECT_EQ(monitor.Messages().Count(), 0);  // the totals are not reported
    for (int tick = 0; tick < 2; ++tick) {
        monitor.CountdownTick();
        EXPECT_EQ(monitor.Status().countdownText, "Next poll in 5 seconds");
    }
}

TEST_F(SchedulerTest, BandwidthThatDoesNotParseEndsThePollAfterTheTotals) {
    monitor.SetWriteLog(true);
    reader.Answer(kSpeed, "0");
    Counters(1000, 1000);
    monitor.StartPolling();
    QFile log(home.ProgramFolder() + "10.1.1.1_i1.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    log.close();
    const std::vector<int> series = SeriesCounts();

    monitor.SetBandwidth("10 Mbit");
    Counters(1600, 1300);
    monitor.PollTick();
    EXPECT_EQ(view.errors,
              QStringList{QString::fromUtf8("'10Mbit' ist kein gültiger Integerwert")});
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{300, 600, 900}));
    EXPECT_EQ(SeriesCounts(), series);
    EXPECT_EQ(monitor.Messages().Count(), 0);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), logged);
    EXPECT_EQ(monitor.Status().statusText, "Contacting...");
    EXPECT_TRUE(monitor.IsPolling());
}

TEST_F(SchedulerTest, RememberedHostsAreWrittenNewestFirstAtMostTen) {
    QFile file(home.ProgramFolder() + "hostfile.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 10; ++i) {
        file.write(QByteArray("host") + QByteArray::number(i) + "\r\n");
    }
    file.close();
    monitor.ResetAll();
    EXPECT_EQ(monitor.State().Device.Host, "host1");
    monitor.SetHost("HOST5");
    monitor.StartPolling();  // known host in other case: list unchanged
    EXPECT_EQ(monitor.Hosts().first(), "host1");
    monitor.SetHost("new");
    monitor.StartPolling();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.size(), 11);  // ten lines and the empty rest after the last CR LF
    EXPECT_EQ(lines.first(), "new\r");
    EXPECT_EQ(lines[9], "host9\r");
}

}  // namespace
}  // namespace pulsewell
