#include <gtest/gtest.h>

#include <QFile>
#include <memory>
#include <optional>

#include "core/device/DeviceWorker.h"
#include "core/polling/PollCycle.h"
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
const QString kSubstituted =
    "No value from host, calculation continues with old value! Sequential error probable!!";

// The poll cycle alone: interface 2 of 10.1.1.1 on a scripted device, each
// poll an interval after the one before on a clock of the test's own.
class PollCycleTest : public ::testing::Test {
  protected:
    PollCycleTest() {
        request.device.Host = "10.1.1.1";
        request.interface = "2";
        request.logInterface = "1";
        request.bandwidth = "10000000";
    }

    void Counters(std::int64_t out, std::int64_t in) {
        reader.Answer(kOut, QString::number(out));
        reader.Answer(kIn, QString::number(in));
    }

    // Another interval, as the monitor's choice sets it: no previous reading.
    void SelectInterval(int seconds) {
        request.intervalSeconds = seconds;
        counters.ZeroCounters();
    }

    PollOutcome Poll() {
        clock->Advance(request.intervalSeconds * 1000);
        std::optional<PollOutcome> ended;
        cycle.Start(request, [&](const PollOutcome& outcome) { ended = outcome; });
        EXPECT_TRUE(ended.has_value()) << "the poll did not end";
        return ended.value_or(PollOutcome{});
    }

    static std::array<std::int64_t, 3> TotalsOf(const TrafficCounters& c) {
        return {c.Total.In, c.Total.Out, c.Total.Combined};
    }

    std::vector<int> SeriesCounts() {
        std::vector<int> counts;
        for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
            counts.push_back(graph.Series(static_cast<TrafficSeries>(i)).Count());
        }
        return counts;
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    std::shared_ptr<test::SteppingClock> clock = std::make_shared<test::SteppingClock>();
    PollRequest request;
    TrafficCounters counters;
    MessageList messages;
    TrafficGraph graph;
    DeviceWorker worker{reader, player, DeviceWorker::Threading::CallerThread};
    StatusBoard board{[] {}};
    AlarmPlayer alarms{view, view, worker};
    PollCycle cycle{view, board, counters, messages, graph, alarms, worker, clock};
};

TEST_F(PollCycleTest, FirstPollAfterResetComputesNoDifference) {
    Counters(5000, 9000);
    Poll();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{0, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(messages.Count(), 0);  // no traffic line yet
    EXPECT_EQ(counters.Total.Combined, 0);
    EXPECT_EQ(counters.Out.Now.Counter, 5000);
    EXPECT_EQ(reader.requests,
              (QStringList{"get " + kOut + " cobalt@10.1.1.1", "get " + kIn + " cobalt@10.1.1.1"}));
    EXPECT_EQ(board.Text(), "");
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(PollCycleTest, SecondPollWritesTheTrafficLineAndFeedsEverySeries) {
    SelectInterval(1);
    Counters(1000, 1000);
    Poll();
    Counters(1000 + 37500, 1000 + 150000);  // 300000 and 1200000 bit/s
    Poll();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{1, 1, 2, 1, 1, 2, 2}));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.LastLine().endsWith(
        "; IN bits/s: 1200000; OUT bits/s: 300000; utilization: 15.00 %"))
        << messages.LastLine().toStdString();
    EXPECT_EQ(TotalsOf(counters), (std::array<std::int64_t, 3>{150000, 37500, 187500}));
}

// A counter at 0 is a reading; each side's series waits for one of its own.
TEST_F(PollCycleTest, EachSideIsMeasuredFromItsOwnPreviousReading) {
    for (const std::int64_t in : {5000, 6500}) {
        Counters(0, in);
        Poll();
    }
    EXPECT_TRUE(
        messages.LastLine().endsWith("; IN bits/s: 2000; OUT bits/s: 0; "
                                     "utilization: 0.02 %"));
    SelectInterval(6);  // no previous reading
    reader.Silence(kIn);
    Poll();
    Counters(0, 9000);
    Poll();
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{1, 2, 4, 1, 2, 4, 4}));
}

// The difference after a missing reading spans the intervals since its reading.
TEST_F(PollCycleTest, SilentDeviceWithContinueWithZeroesSubstitutesBothReadings) {
    SelectInterval(1);
    Counters(1000, 2000);
    Poll();
    reader.Silence(kOut);
    reader.Silence(kIn);
    Poll();
    EXPECT_EQ(messages.Lines(), (QStringList{kSubstituted, kSubstituted, messages.LastLine()}));
    EXPECT_TRUE(messages.LastLine().contains("; IN bits/s: 0; OUT bits/s: 0;"));
    Counters(1000 + 4000, 2000 + 4000);
    Poll();
    EXPECT_TRUE(messages.LastLine().contains("; IN bits/s: 16000; OUT bits/s: 16000;"));
}

TEST_F(PollCycleTest, UnparsableReadingEndsThePollWithTheConversionError) {
    reader.Answer(kOut, "12ab");
    reader.Answer(kIn, "5");
    Poll();
    EXPECT_EQ(view.errors, QStringList{QString::fromUtf8("'12ab' ist kein gültiger Integerwert")});
    EXPECT_EQ(board.Text(), "Contacting...");
    EXPECT_EQ(SeriesCounts(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PollCycleTest, AlarmsPlayAtMostOneSoundByThresholds) {
    QFile high(home.ProgramFolder() + "high.wav");
    QFile low(home.ProgramFolder() + "low.wav");
    ASSERT_TRUE(high.open(QIODevice::WriteOnly) && low.open(QIODevice::WriteOnly));
    view.alarms = {"70", "20", true, true, high.fileName(), low.fileName()};
    SelectInterval(1);
    request.bandwidth = "800";  // one byte per second is one percent
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
    Poll();
    for (const Case& c : cases) {
        view.alarms.HighValue = QString::fromLatin1(c.highValue);
        player.played.clear();
        counter += c.bytesPerSecond;
        Counters(counter, 1000);
        Poll();
        EXPECT_EQ(player.played, c.played) << c.bytesPerSecond << "% high " << c.highValue;
    }
}

TEST_F(PollCycleTest, HalfPercentRoundsToEvenForTheAlarm) {
    QFile high(home.ProgramFolder() + "high.wav");
    ASSERT_TRUE(high.open(QIODevice::WriteOnly));
    view.alarms = {"70", "20", true, false, high.fileName(), QString()};
    SelectInterval(1);
    request.bandwidth = "1600";  // 139 bytes/s = 69.5 %
    Counters(1000, 1000);
    Poll();
    Counters(1139, 1000);
    Poll();
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
        Poll();
    };

    // A missing file is reported, and the poll goes on to its end.
    poll();
    EXPECT_EQ(view.errors, QStringList{"MCI-Fehler: " + path + " (file not found)"});
    EXPECT_EQ(board.Text(), "");
    poll();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_EQ(messages.Count(), 1);  // the next poll runs to its end

    // The file appears but cannot be played: reported once more.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a sound");
    file.close();
    poll();
    poll();
    EXPECT_EQ(player.played, QStringList{path});
    EXPECT_EQ(view.errors.size(), 2);
    EXPECT_EQ(messages.Count(), 3);

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
    EXPECT_EQ(messages.Count(), 9);
}

TEST_F(PollCycleTest, MessageListIsTrimmedBeforeTheTrafficLine) {
    Counters(4294967000, 1000);
    Poll();
    while (messages.Count() < 1000) {
        messages.Append("filler");
    }
    Counters(100, 1000);  // output wraps
    Poll();
    EXPECT_EQ(messages.Count(), 1001);
    EXPECT_TRUE(messages.Lines()[999].startsWith("Integer wrap around"));
    Counters(200, 1000);
    Poll();  // trims to 1000, then adds its own line
    EXPECT_EQ(messages.Count(), 1001);
    EXPECT_TRUE(messages.Lines()[998].startsWith("Integer wrap around"));
}

TEST_F(PollCycleTest, LogsAreWrittenWhenSwitchedOn) {
    request.writeLog = true;
    request.writeDebugLog = true;
    Counters(1000, 1000);
    Poll();
    EXPECT_TRUE(QFile::exists(home.ProgramFolder() + "10.1.1.1_i1.log"));
    EXPECT_TRUE(QFile::exists(home.ProgramFolder() + "10.1.1.1_i1_debug.log"));
}

TEST_F(PollCycleTest, HostThatWouldLeaveTheFolderMakesTheLogFail) {
    request.device.Host = "../escape";
    request.writeLog = true;
    Counters(1000, 1000);
    Poll();
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].startsWith("E/A-Fehler"));
    EXPECT_FALSE(QFile::exists(home.ProgramFolder() + "../escape_i1.log"));
}

}  // namespace
}  // namespace pulsewell
