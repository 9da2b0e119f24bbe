#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <thread>

#include "core/Monitor.h"
#include "core/polling/HistoryRecorder.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

const QString kOut = "1.3.6.1.2.1.2.2.1.16.2";
const QString kIn = "1.3.6.1.2.1.2.2.1.10.2";

// The monitor's polls as the history file keeps them.
TEST(RecordedPolls, EveryPollIsStoredAndEveryAlarmMarked) {
    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
    test::UseSteppingClock(monitor);
    monitor.ResetAll();
    monitor.SetHost("10.1.1.1");
    monitor.OfferInterfaces({"2"});
    monitor.SelectInterval(1);
    monitor.SetBandwidth("800");  // one byte per second is one percent
    monitor.SetContinueWithZeroes(true);
    QFile high(home.ProgramFolder() + "high.wav");
    ASSERT_TRUE(high.open(QIODevice::WriteOnly));
    view.alarms = {"70", "20", true, false, high.fileName(), QString()};

    struct Case {
        // Unset: the device gives no outgoing value.
        std::optional<std::int64_t> outStep;
        // The octets after a gap spread over the intervals it spans.
        std::optional<double> outRate;
        bool alarm;
    };
    const Case cases[] = {{10, 10, false},
                          {75, 75, true},
                          {std::nullopt, std::nullopt, false},
                          {30, 15, false},
                          {90, 90, true}};
    const std::int64_t from = QDateTime::currentMSecsSinceEpoch();
    std::int64_t out = 1000;
    reader.Answer(kOut, QString::number(out));
    reader.Answer(kIn, "500");
    monitor.PollOnce();
    for (const Case& c : cases) {
        if (c.outStep) {
            out += *c.outStep;
            reader.Answer(kOut, QString::number(out));
        } else {
            reader.Silence(kOut);
        }
        // A reading is keyed by its millisecond.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        monitor.PollOnce();
    }
    const std::int64_t to = QDateTime::currentMSecsSinceEpoch() + 1;
    ASSERT_TRUE(view.errors.isEmpty()) << view.errors.join(u'\n').toStdString();

    std::vector<std::string> problems;
    history::HistoryStore store(HistoryPath().toStdString(), {},
                                [&](const std::string& text) { problems.push_back(text); });
    const auto series = store.FindSeries("10.1.1.1", "2");
    ASSERT_TRUE(series);
    const auto points = store.Range(series->id, from, to, history::Step::Raw);
    ASSERT_EQ(points.size(), std::size(cases) + 1);
    EXPECT_FALSE(points[0].outRate) << "the first poll only takes the counters";
    EXPECT_TRUE(points[0].notes & history::NotMeasured);
    std::size_t alarms = 0;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const history::Point& p = points[i + 1];
        EXPECT_EQ(p.outRate, cases[i].outRate);
        EXPECT_EQ(p.inRate, std::optional<double>(0.0));
        EXPECT_EQ((p.notes & history::OutSubstituted) != 0, !cases[i].outStep);
        alarms += cases[i].alarm;
    }
    EXPECT_EQ(store.AlarmTimes(series->id, from, to).size(), alarms);
    EXPECT_TRUE(problems.empty());
}

}  // namespace
}  // namespace pulsewell
