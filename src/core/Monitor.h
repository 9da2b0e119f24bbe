#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

#include "DeviceReader.h"
#include "InterfaceTable.h"
#include "MessageList.h"
#include "MonitorState.h"
#include "MonitorView.h"
#include "SoundPlayer.h"
#include "TrafficGraph.h"
#include "TrafficSample.h"

namespace pulsewell {

// The traffic monitor without its window: the state kept between polls, the
// message list, the graph, the interface table and list, the three timers and
// the operations behind the window's commands. The window, the command-line
// monitor and the tests drive it alike through a MonitorView.
class Monitor : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervals[] = {1, 3, 6, 15, 30, 60, 120, 300};

    Monitor(MonitorView& view, DeviceReader& reader, SoundPlayer& player,
            QObject* parent = nullptr);

    TMonitorState& State() { return state_; }
    const TMonitorState& State() const { return state_; }
    MessageList& Messages() { return messages_; }
    InterfaceTable& Table() { return table_; }
    TrafficGraph& Graph() { return graph_; }
    const QStringList& InterfaceEntries() const { return interfaceEntries_; }
    int SelectedInterface() const { return selectedInterface_; }
    // What the last discovery read for the device report, as decimal text.
    const QString& DiscoveryUptime() const { return discoveryUptime_; }
    const QString& InterfaceCount() const { return interfaceCount_; }
    // The device report of the last gather; the interface selection clears it.
    const QStringList& DeviceReport() const { return deviceReport_; }
    const QStringList& Hosts() const { return hosts_; }
    bool IsPolling() const { return pollTimer_.isActive(); }
    bool IsCountingDown() const { return countdownTimer_.isActive(); }
    bool IsAutoStartArmed() const { return autoStartTimer_.isActive(); }
    int PollPeriodMs() const { return pollTimer_.interval(); }

    // The file name, relative to the program's folder, of a start profile
    // that every ResetAll applies (the program's first argument).
    void SetStartProfile(const QString& name) { startProfile_ = name; }

    // Start and "Reset all". Every operation below reports its errors to the
    // view and ends there.
    void ResetAll();

    // One measurement: the two counter reads, the sample, graph, alarms, logs
    // and the traffic line.
    void PollOnce();
    void StartPolling();
    void StopPolling();
    void SelectInterval(int seconds);
    // The user picks an interval; "every 1 sec" is reached by a middle click.
    void ChooseInterval(int seconds);
    void SetWriteLog(bool on);
    void SetWriteDebugLog(bool on);

    // Edits of the window's fields.
    void SetHost(const QString& host);
    void SetBandwidth(const QString& text) { state_.Bandwidth = text; }
    void SetCommunity(const QString& text) { state_.Community = text; }
    // "&First contact": walks the device's interface table into the table
    // and the interface list and selects the first interface.
    void FirstContact();
    // The user chose entry `index` of the interface list: it becomes the
    // polled interface, with its speed as the bandwidth, from zero traffic.
    void SelectInterface(int index);
    // Reads the device report afresh ("Show device info" then shows it).
    void GatherDeviceInfo();
    // "Export device info": gathers, writes device_info.txt in the program's
    // folder and asks the desktop to open it.
    void ExportDeviceInfo();
    // What the export writes: the report, then the interface table.
    QStringList DeviceInfoLines() const;
    // The window keeps hostfile.txt; a monitor without a host combo leaves it alone.
    void KeepHostList(bool keep) { keepHostList_ = keep; }
    // The unit of the graph, the traffic lines and the logs.
    void SetShowBytes(bool on);
    // The interfaces that can be polled: the list is filled, enabled and its
    // first entry selected.
    void OfferInterfaces(const QStringList& entries);
    void ApplyGraphType(TGraphType type);

    // The poll, countdown and auto-start ticks; public so that a caller that
    // drives time itself (tests) can fire them.
    void PollTick();
    void CountdownTick();
    void AutoStartTick();

    // "Total traffic transferred ..." for the totals so far.
    QString TotalsLine() const;

signals:
    // The probe answered and the poll timer runs; the first poll follows.
    void PollingStarted();
    // A poll has ended, whether it ran to its last step or stopped early.
    void PollFinished();
    // Polling stopped by the error policy or a failed probe.
    void PollingFailed();

private:
    void ClearHostDependentState();
    void LoadHostList();
    void ApplyStartProfile();
    void ShowInterfaceList(bool enabled);
    void ShowTotals();
    void ShowCountdown();
    // Missing input: a message box, and the commands to try again.
    void RefusePoll(const QString& reason);
    void StopByError(const QString& status);
    // Whether the two counter reads were answered.
    struct CounterAnswers {
        bool out = false;
        bool in = false;
    };
    // The version for every request, and the query component's target.
    void TargetDevice();
    // The output and input readings: over SNMPv2c the 64-bit counters, or
    // the 32-bit ones of an interface that has none.
    CounterAnswers ReadCounters();
    CounterAnswers ReadCounterPair(const QString& outOid, const QString& inOid);
    void UseCounterWidth(bool wide);
    bool ApplyErrorPolicy(bool outAnswered, bool inAnswered);
    void AppendSamples(const TTrafficSample& sample);
    void SoundAlarms(const TTrafficSample& sample);
    // Plays one alarm's file; `unplayable` remembers the file that last failed.
    void PlayAlarm(const QString& path, QString& unplayable);
    void Guarded(const std::function<void()>& handler);
    bool DiscoverInterfaces();
    // Lets the window's events run; false when meanwhile the host changed or
    // everything was reset, which ends a running discovery there.
    bool LetEventsRun();
    // How many rows the index walk may find on this device.
    int WalkLimit();
    // The rows found, or none when discovery was ended meanwhile.
    std::optional<int> WalkInterfaceIndexes(int limit);
    bool QueryInterfaceRows(int rows);
    bool HasDuplexObjects();
    // The objects of one row's cells 1 to 8, in the order they are filled.
    static QStringList RowObjects(const QString& index, bool withDuplex);
    bool FillInterfaceRow(int row, bool withDuplex, const std::function<QString()>& value);
    void Gather();
    // The speed cell of interface `index` from its ifSpeed value, or over
    // SNMPv2c from its ifHighSpeed where ifSpeed is at its ceiling.
    QString InterfaceSpeedCell(const QString& index, const QString& speed);
    // A failure to reach the device, saying so when it was asked in SNMPv2c.
    QString NoAnswerText(const QString& failure) const;

    MonitorView& view_;
    DeviceReader& reader_;
    SoundPlayer& player_;
    TMonitorState state_;
    MessageList messages_;
    InterfaceTable table_;
    TrafficGraph graph_;
    TGraphType graphType_ = TGraphType::Separate;
    QStringList hosts_;
    QStringList interfaceEntries_;
    int selectedInterface_ = -1;
    bool discovering_ = false;
    // Counts host changes and resets, so that discovery sees one happen.
    int deviceChanges_ = 0;
    QString discoveryUptime_ = QStringLiteral("0");
    QString interfaceCount_ = QStringLiteral("0");
    QStringList deviceReport_;
    bool keepHostList_ = true;
    QTimer pollTimer_;
    QTimer countdownTimer_;
    QTimer autoStartTimer_;
    QString startProfile_;
    QDateTime pollTime_;
    QString unplayableHighSound_;
    QString unplayableLowSound_;
    // Host and interface found without 64-bit counters in this polling run.
    QString narrowCountersOf_;
};

}  // namespace pulsewell
