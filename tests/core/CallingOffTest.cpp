#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "snmp/Ber.h"
#include "tests/fakes/BlockingSoundPlayer.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

// The monitor as the window and pulsewell-cli run it, with the device's
// exchanges and the alarm sounds on the device worker: what the user does
// meanwhile calls them off at once, and nothing they bring later counts.
namespace pulsewell {
namespace {

using Datagrams = std::vector<test::FakeAgent::Datagram>;

const std::string kIfSpeed1 = "1.3.6.1.2.1.2.2.1.5.1";
// Far below the query component's 2 s and a one-shot read's 5 s of waiting.
constexpr qint64 kAtOnceMs = 1000;

enum class Phase { Probe, Poll, Discovery };
enum class Action { Stop, Reset, HostChange, End };

struct Monitored {
    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    std::unique_ptr<Monitor> monitor =
        std::make_unique<Monitor>(view, reader, player, DeviceWorker::Threading::OwnThread);
};

TEST(CallingOff, ASilentDeviceHoldsNothingUpAndItsLateAnswersChangeNothing) {
    struct Case {
        const char* name;
        Phase phase;
        Action action;
        // Requests the device has had when the action comes.
        int requestsInFlight;
    };
    const Case cases[] = {
        {"stop in the probe", Phase::Probe, Action::Stop, 1},
        {"reset in the probe", Phase::Probe, Action::Reset, 1},
        {"host change in the probe", Phase::Probe, Action::HostChange, 1},
        {"end in the probe", Phase::Probe, Action::End, 1},
        {"stop in a poll", Phase::Poll, Action::Stop, 2},
        {"reset in a poll", Phase::Poll, Action::Reset, 2},
        {"host change in a poll", Phase::Poll, Action::HostChange, 2},
        {"end in a poll", Phase::Poll, Action::End, 2},
        {"reset in discovery", Phase::Discovery, Action::Reset, 1},
        {"host change in discovery", Phase::Discovery, Action::HostChange, 1},
        {"end in discovery", Phase::Discovery, Action::End, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Answers the probe of a poll, and everything else only after the
        // action, when nobody may take it any more.
        std::atomic<bool> acted = false;
        test::FakeAgent agent([&](const snmp::TSNMPRec& request, int) -> Datagrams {
            const snmp::TSNMPMib asked = request.Bindings().front();
            if (c.phase == Phase::Poll && asked.ObjectId == kIfSpeed1) {
                return {{test::ResponseTo(request, {{kIfSpeed1, "100000000", snmp::ber::Gauge}})}};
            }
            while (!acted) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return {{test::ResponseTo(request, {{asked.ObjectId, "7", snmp::ber::Counter}})}};
        });
        Monitored m;
        Monitor& monitor = *m.monitor;
        QSignalSpy polls(&monitor, &Monitor::PollFinished);
        QSignalSpy discoveries(&monitor, &Monitor::DiscoveryEnded);
        monitor.ResetAll();
        monitor.SetHost(QString::fromStdString(agent.Address()));
        monitor.OfferInterfaces({"1"});
        if (c.phase == Phase::Discovery) {
            monitor.FirstContact();
        } else {
            monitor.StartPolling();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return agent.RequestCount() == c.requestsInFlight; }));
        ASSERT_TRUE(monitor.IsWaitingForDevice());
        const QStringList linesBefore = m.monitor->Messages().Lines();

        QElapsedTimer clock;
        clock.start();
        switch (c.action) {
            case Action::Stop:
                monitor.StopPolling();
                break;
            case Action::Reset:
                monitor.ResetAll();
                break;
            case Action::HostChange:
                monitor.SetHost(QStringLiteral("127.0.0.1:9"));
                break;
            case Action::End:
                break;
        }
        if (c.action == Action::End) {
            m.monitor.reset();  // the window's end joins the worker
            EXPECT_LT(clock.elapsed(), kAtOnceMs);
            acted = true;
            continue;
        }
        EXPECT_FALSE(monitor.IsWaitingForDevice());
        acted = true;
        // The late answer arrives and finds nobody waiting.
        QTest::qWait(300);
        EXPECT_EQ(agent.RequestCount(), c.requestsInFlight);  // no retry, no next step
        EXPECT_EQ(polls.count(), 0);
        EXPECT_EQ(discoveries.count(), 0);
        EXPECT_TRUE(m.view.errors.isEmpty()) << m.view.errors.join("; ").toStdString();
        EXPECT_EQ(monitor.State().Traffic.Out.Now.Counter, 0);
        EXPECT_FALSE(monitor.Status().discovering);
        const QStringList lines = monitor.Messages().Lines();
        if (c.action == Action::Stop) {
            EXPECT_EQ(lines, linesBefore + QStringList{monitor.TotalsLine()});
            EXPECT_EQ(monitor.Status().statusText, "Polling stopped by user.");
        } else {
            EXPECT_TRUE(lines.isEmpty()) << lines.join("; ").toStdString();
        }
        // A new operation runs at once: the worker is free.
        monitor.SetHost(QString::fromStdString(agent.Address()));
        monitor.OfferInterfaces({"1"});
        clock.restart();
        m.monitor.reset();
        EXPECT_LT(clock.elapsed(), kAtOnceMs);
    }
}

// A minute-long alarm ends at Stop; the poll that sounded it keeps its line.
TEST(CallingOff, StopEndsASoundingAlarmAndKeepsItsPoll) {
    test::TempHome home;
    const QString tone = home.ProgramFolder() + "alarm.wav";
    QFile file(tone);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    test::RecordingView view;
    view.alarms.HighAlarm = true;
    view.alarms.HighValue = "10";
    view.alarms.HighAlarmFile = tone;
    test::ScriptedDeviceReader reader;
    // The probe asks for the interface number field's interface.
    reader.Answer("1.3.6.1.2.1.2.2.1.5.1", "10000000");
    const auto counters = [&](int octets) {
        reader.Answer("1.3.6.1.2.1.2.2.1.16.2", QString::number(octets));
        reader.Answer("1.3.6.1.2.1.2.2.1.10.2", QString::number(octets));
    };
    counters(1000);
    test::BlockingSoundPlayer player;
    Monitor monitor(view, reader, player, DeviceWorker::Threading::OwnThread);
    test::UseSteppingClock(monitor);
    QSignalSpy polls(&monitor, &Monitor::PollFinished);
    monitor.ResetAll();
    monitor.SetHost("10.1.1.1");
    monitor.OfferInterfaces({"2"});
    monitor.SetBandwidth("10000000");
    monitor.StartPolling();
    ASSERT_TRUE(QTest::qWaitFor([&] { return polls.count() == 1; }));

    counters(1000 + 1875000);  // 2.5 Mbit/s each way over the 6 seconds
    monitor.PollOnce();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.Playing(); }));
    QElapsedTimer clock;
    clock.start();
    monitor.StopPolling();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.Playing(); }, 5000));
    EXPECT_LT(clock.elapsed(), kAtOnceMs);

    const QStringList lines = monitor.Messages().Lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("; IN bits/s: 2500000; OUT bits/s: 2500000;"))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1],
              "Total traffic transferred IN: 1875000 bytes; OUT: 1875000 bytes; "
              "combined: 3750000 bytes");
    EXPECT_EQ(polls.count(), 2);
    EXPECT_TRUE(view.errors.isEmpty());
}

}  // namespace
}  // namespace pulsewell
