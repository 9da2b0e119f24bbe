#include <gtest/gtest.h>

#include <QFile>

#include "core/Monitor.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

const QString kOut = "1.3.6.1.2.1.2.2.1.16.2";
const QString kIn = "1.3.6.1.2.1.2.2.1.10.2";
// The probe asks for the interface number field's interface until one is chosen.
const QString kSpeed = "1.3.6.1.2.1.2.2.1.5.1";
const QString kSubstituted =
    "No value from host, calculation continues with old value! Sequential error probable!!";

class PollCycleTest : public ::testing::Test {
  protected:
    PollCycleTest() {
        monitor.ResetAll();
        monitor.SetHost("10.1.1.1");
        monitor.OfferInterfaces({"2"});
        monitor.SetBandwidth("10000000");
        test::UseSteppingClock(monitor);
    }

    void Counters(std::int64_t out, std::int64_t in) {
        reader.Answer(kOut, QString::number(out));
        reader.Answer(kIn, QString::number(in));
    }

    std::vector<int> SeriesCounts() {
        std::vector<int> counts;
        for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
            counts.push_back(monitor.Graph().Series(static_cast<TrafficSeries>(i)).Count());
        }
        return counts;
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
};

TEST_F(PollCycleTest, FirstPollAfterResetComputesNoDifference) {
    Counters(5000, 9000);
    monitor.PollOnce();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{0, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(monitor.Messages().Count(), 0);  // no traffic line yet
    EXPECT_EQ(monitor.State().TotalCombined, 0);
    EXPECT_EQ(monitor.State().OutCounter, 5000);
    EXPECT_EQ(reader.requests,
              (QStringList{"get " + kOut + " cobalt@10.1.1.1", "get " + kIn + " cobalt@10.1.1.1"}));
    EXPECT_EQ(monitor.Status().statusText, "");
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(PollCycleTest, SecondPollWritesTheTrafficLineAndFeedsEverySeries) {
    monitor.SelectInterval(1);
    Counters(1000, 1000);
    monitor.PollOnce();
    Counters(1000 + 37500, 1000 + 150000);  // 300000 and 1200000 bit/s
    monitor.PollOnce();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{1, 1, 2, 1, 1, 2, 2}));
    ASSERT_EQ(monitor.Messages().Count(), 1);
    EXPECT_TRUE(monitor.Messages().LastLine().endsWith(
        "; IN bits/s: 1200000; OUT bits/s: 300000; utilization: 15.00 %"))
        << monitor.Messages().LastLine().toStdString();
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{150000, 37500, 187500}));
}

// A counter at 0 is a reading; each side's series waits for one of its own.
TEST_F(PollCycleTest, EachSideIsMeasuredFromItsOwnPreviousReading) {
    for (const std::int64_t in : {5000, 6500}) {
        Counters(0, in);
        monitor.PollOnce();
    }
    EXPECT_TRUE(
        monitor.Messages().LastLine().endsWith("; IN bits/s: 2000; OUT bits/s: 0; "
                                               "utilization: 0.02 %"));
    monitor.SelectInterval(6);  // no previous reading
    reader.Silence(kIn);
    monitor.PollOnce();
    Counters(0, 9000);
    monitor.PollOnce();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{1, 2, 4, 1, 2, 4, 4}));
}

TEST_F(PollCycleTest, BandwidthSeparatorsAreRemoved) {
    Counters(1, 1);
    for (const char* typed : {"1.000.000", "1,000,000", "1 000 000"}) {
        monitor.SetBandwidth(QString::fromLatin1(typed));
        monitor.PollOnce();
        EXPECT_EQ(monitor.State().Bandwidth, "1000000");
        EXPECT_EQ(monitor.Status().bandwidth, "1000000");
    }
}

TEST_F(PollCycleTest, MissingHostOrInterfaceZeroAsksForInputAndReadsNothing) {
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

// The difference after a missing reading spans the intervals since its reading.
TEST_F(PollCycleTest, SilentDeviceWithContinueWithZeroesSubstitutesBothReadings) {
    monitor.ChooseInterval(1);
    Counters(1000, 2000);
    monitor.PollOnce();
    reader.Silence(kOut);
    reader.Silence(kIn);
    monitor.PollOnce();
    EXPECT_EQ(monitor.Messages().Lines(),
              (QStringList{kSubstituted, kSubstituted, monitor.Messages().LastLine()}));
    EXPECT_TRUE(monitor.Messages().LastLine().contains("; IN bits/s: 0; OUT bits/s: 0;"));
    Counters(1000 + 4000, 2000 + 4000);
    monitor.PollOnce();
    EXPECT_TRUE(monitor.Messages().LastLine().contains("; IN bits/s: 16000; OUT bits/s: 16000;"));
}

TEST_F(PollCycleTest, SilentDeviceWithoutContinueStopsAfterBothRequests) {
    monitor.SetContinueWithZeroes(false);
    monitor.PollOnce();
    EXPECT_EQ(reader.requests.size(), 2);
    EXPECT_EQ(monitor.Status().statusText, "Failure contacting host! Polling stopped!");
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_TRUE(monitor.Status().commands.startPolling);
}

TEST_F(PollCycleTest, EmptyInputReadingWithoutContinueStopsBeforeStoringTheOutput) {
    monitor.SetContinueWithZeroes(false);
    reader.Answer(kOut, "7000");
    reader.Answer(kIn, "");
    monitor.PollOnce();
    EXPECT_EQ(monitor.Status().statusText, "No values from host! Polling stopped!");
    EXPECT_EQ(monitor.State().OutCounter, 0);
}

TEST_F(PollCycleTest, UnparsableReadingEndsThePollWithTheConversionError) {
    reader.Answer(kOut, "12ab");
    reader.Answer(kIn, "5");
    monitor.PollOnce();
    EXPECT_EQ(view.errors, QStringList{QString::fromUtf8("'12ab' ist kein gültiger Integerwert")});
    EXPECT_EQ(monitor.Status().statusText, "Contacting...");
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PollCycleTest, AlarmsPlayAtMostOneSoundByThresholds) {
    QFile high(home.ProgramFolder() + "high.wav");
    QFile low(home.ProgramFolder() + "low.wav");
    ASSERT_TRUE(high.open(QIODevice::WriteOnly) && low.open(QIODevice::WriteOnly));
    view.alarms = {"70", "20", true, true, high.fileName(), low.fileName()};
    monitor.SelectInterval(1);
    monitor.SetBandwidth("800");  // one byte per second is one percent
    struct Case {
        std::int64_t bytesPerSecond;
        const char* highValue;
        QStringList played;
    } cases[] = {
        {70, "70", {high.fileName()}},
        {20, "70", {low.fileName()}},
        {19, "70", {}},
        {69, "70", {low.fileName()}},
        {50, "10", {high.fileName()}},  // low above high: only the
                                        // high alarm can sound
        {15, "10", {high.fileName()}},
    };
    std::int64_t counter = 1000;
    Counters(counter, 1000);
    monitor.PollOnce();
    for (const Case& c : cases) {
        view.alarms.HighValue = QString::fromLatin1(c.highValue);
        player.played.clear();
        counter += c.bytesPerSecond;
        Counters(counter, 1000);
        monitor.PollOnce();
        EXPECT_EQ(player.played, c.played) << c.bytesPerSecond << "% high " << c.highValue;
    }
}

TEST_F(PollCycleTest, HalfPercentRoundsToEvenForTheAlarm) {
    QFile high(home.ProgramFolder() + "high.wav");
    ASSERT_TRUE(high.open(QIODevice::WriteOnly));
    view.alarms = {"70", "20", true, false, high.fileName(), QString()};
    monitor.SelectInterval(1);
    monitor.SetBandwidth("1600");  // 139 bytes/s = 69.5 %
    Counters(1000, 1000);
    monitor.PollOnce();
    Counters(1139, 1000);
    monitor.PollOnce();
    EXPECT_EQ(player.played, QStringList{high.fileName()});
}

TEST_F(PollCycleTest, BrokenAlarmIsReportedOnceAndItsPollsRunToTheEnd) {
    const QString path = home.ProgramFolder() + "high.wav";
    view.alarms = {"0", "0", true, false, path, QString()};
    player.fail = true;
    std::int64_t counter = 1000;
    const auto poll = [&] {
        counter += 1000;
        Counters(counter, counter);
        monitor.PollOnce();
    };

    // A missing file is reported, and the poll goes on to its end.
    poll();
    EXPECT_EQ(view.errors, QStringList{"MCI-Fehler: " + path + " (file not found)"});
    EXPECT_EQ(monitor.Status().statusText, "");
    poll();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_EQ(monitor.Messages().Count(), 1);  // the next poll runs to its end

    // The file appears but cannot be played: reported once more.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a sound");
    file.close();
    poll();
    poll();
    EXPECT_EQ(player.played, QStringList{path});
    EXPECT_EQ(view.errors.size(), 2);
    EXPECT_EQ(monitor.Messages().Count(), 3);

    // Switching the alarm off and on again tries the file again.
    view.alarms.HighAlarm = false;
    poll();
    view.alarms.HighAlarm = true;
    player.fail = false;
    poll();
    poll();
    EXPECT_EQ(player.played, QStringList({path, path, path}));
    EXPECT_EQ(view.errors.size(), 2);

    for (const char* bad : {"abc", "abc", ""}) {
        view.alarms.HighValue = QString::fromLatin1(bad);
        poll();
    }
    EXPECT_EQ(view.errors.mid(2), QStringList({"'abc' ist kein gültiger Integerwert",
                                               "'' ist kein gültiger Integerwert"}));
    EXPECT_EQ(monitor.Messages().Count(), 9);
}

TEST_F(PollCycleTest, MessageListIsTrimmedBeforeTheTrafficLine) {
    Counters(4294967000, 1000);
    monitor.PollOnce();
    while (monitor.Messages().Count() < 1000) {
        monitor.Messages().Append("filler");
    }
    Counters(100, 1000);  // output wraps
    monitor.PollOnce();
    EXPECT_EQ(monitor.Messages().Count(), 1001);
    EXPECT_TRUE(monitor.Messages().Lines()[999].startsWith("Integer wrap around"));
    Counters(200, 1000);
    monitor.PollOnce();  // trims to 1000, then adds its own line
    EXPECT_EQ(monitor.Messages().Count(), 1001);
    EXPECT_TRUE(monitor.Messages().Lines()[998].startsWith("Integer wrap around"));
}

TEST_F(PollCycleTest, LogsAreWrittenWhenSwitchedOn) {
    monitor.SetWriteLog(true);
    monitor.SetWriteDebugLog(true);
    Counters(1000, 1000);
    monitor.PollOnce();
    EXPECT_TRUE(QFile::exists(home.ProgramFolder() + "10.1.1.1_i1.log"));
    EXPECT_TRUE(QFile::exists(home.ProgramFolder() + "10.1.1.1_i1_debug.log"));
}

TEST_F(PollCycleTest, HostThatWouldLeaveTheFolderMakesTheLogFail) {
    monitor.SetHost("../escape");
    monitor.OfferInterfaces({"2"});
    monitor.SetWriteLog(true);
    Counters(1000, 1000);
    monitor.PollOnce();
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].startsWith("E/A-Fehler"));
    EXPECT_FALSE(QFile::exists(home.ProgramFolder() + "../escape_i1.log"));
}

class SchedulerTest : public PollCycleTest {};

TEST_F(SchedulerTest, ShortIntervalsSwitchTheLogsOffAndLockThem) {
    monitor.SetWriteLog(true);
    monitor.SelectInterval(3);
    EXPECT_FALSE(monitor.State().WriteLog);
    EXPECT_FALSE(monitor.Status().logSwitchesEnabled);
    monitor.SetWriteLog(true);
    EXPECT_FALSE(monitor.State().WriteLog);
    monitor.SelectInterval(15);
    EXPECT_TRUE(monitor.Status().logSwitchesEnabled);
    EXPECT_FALSE(monitor.Status().writeLog);
    monitor.ChooseInterval(1);  // the middle click
    EXPECT_EQ(monitor.Status().intervalSeconds, 1);
    EXPECT_EQ(monitor.State().IntervalSeconds, 1);
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
        EXPECT_FALSE(monitor.State().WriteLog) << c.to;  // switched off at once
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
    ASSERT_GT(monitor.State().TotalCombined, 0);
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
    EXPECT_EQ(monitor.State().Host, "host1");
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
