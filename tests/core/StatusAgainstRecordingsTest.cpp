#include <gtest/gtest.h>

#include <functional>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// The discard port: nobody answers there.
const QString kSilent = "127.0.0.1:9";

// Which commands the status offers at each step of a session with a recorded
// switch, and the community field locked while polling runs; the status is
// told once per change, and not for what leaves it as it was.
TEST(StatusAgainstRecordings, OffersTheCommandsOfEachStep) {
    const QString host = QString::fromStdString(test::TestSimulatorAddress());
    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    Monitor monitor{view, reader, player};
    monitor.ResetAll();
    monitor.SetHost(host);
    monitor.SetCommunity("cisco_16_switch");
    struct Step {
        const char* name;
        std::function<void()> act;
        AvailableCommands commands;
        bool communityReadOnly;
    };
    const Step steps[] = {
        {"typed host", [] {}, {true, false, false, false}, false},
        {"first contact", [&] { monitor.FirstContact(); }, {true, true, true, true}, false},
        {"start polling", [&] { monitor.StartPolling(); }, {false, false, true, true}, true},
        {"stop polling", [&] { monitor.StopPolling(); }, {true, true, true, true}, false},
        {"host change", [&] { monitor.SetHost(kSilent); }, {true, false, false, false}, false},
        {"silent probe", [&] { monitor.StartPolling(); }, {true, true, false, false}, true},
        {"reset", [&] { monitor.ResetAll(); }, {true, false, false, false}, true},
        {"stop after the reset", [&] { monitor.StopPolling(); }, {true, true, false, true}, false},
        {"polling ended by host change",
         [&] {
             monitor.SetHost(host);
             monitor.FirstContact();
             monitor.StartPolling();
             monitor.SetHost("");
             monitor.PollOnce();
         },
         {true, true, false, false},
         true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(monitor.Status().commands, step.commands);
        EXPECT_EQ(monitor.Status().communityReadOnly, step.communityReadOnly);
    }
    EXPECT_EQ(view.messageBoxes, QStringList{"Error: Please enter an IP address!!"});

    QList<MonitorStatus> told;
    QObject::connect(&monitor, &Monitor::StatusChanged,
                     [&](const MonitorStatus& status) { told.append(status); });
    monitor.SetBandwidth(monitor.State().Bandwidth);
    monitor.SelectInterval(monitor.State().Schedule.IntervalSeconds);
    monitor.SetBandwidth("1000");
    EXPECT_EQ(told, QList<MonitorStatus>{monitor.Status()});
    EXPECT_EQ(told.last().bandwidth, "1000");
}

}  // namespace
}  // namespace pulsewell
