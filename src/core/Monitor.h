#pragma once

#include <QObject>
#include <QStringList>

#include "core/MessageList.h"
#include "core/MonitorState.h"
#include "core/MonitorStatus.h"
#include "core/MonitorView.h"
#include "core/StatusBoard.h"
#include "core/device/DeviceReader.h"
#include "core/device/DeviceWorker.h"
#include "core/device/SoundPlayer.h"
#include "core/discovery/InterfaceChoice.h"
#include "core/discovery/InterfaceDiscovery.h"
#include "core/discovery/InterfaceSpeed.h"
#include "core/discovery/InterfaceTable.h"
#include "core/polling/AlarmPlayer.h"
#include "core/polling/HistoryRecorder.h"
#include "core/polling/PollCycle.h"
#include "core/polling/PollScheduler.h"
#include "core/report/DeviceInfoReport.h"
#include "core/settings/HostMemory.h"
#include "core/settings/OptionsTarget.h"
#include "core/trafficgraph/TrafficGraph.h"

namespace pulsewell {

// The traffic monitor without its window: the state kept between polls and
// one part per job (poll cycle, alarms, scheduler, discovery, device report),
// behind the commands of the window. The window, the command-line monitor and
// the tests drive it alike: they show its status value and answer its
// MonitorView. The device's exchanges and
// the alarm sounds run on a device worker; Stop, Reset all, a host change and
// the monitor's end call off what runs there at once.
class Monitor : public QObject, public OptionsTarget {
    Q_OBJECT
  public:
    static constexpr auto& kIntervals = PollScheduler::kIntervals;

    Monitor(MonitorView& view, DeviceReader& reader, SoundPlayer& player,
            DeviceWorker::Threading threading = DeviceWorker::Threading::CallerThread,
            QObject* parent = nullptr);
    ~Monitor() override;

    // What the monitor keeps between polls; it changes only through the commands.
    const TMonitorState& State() const { return state_; }
    // What it shows now; StatusChanged() tells each change.
    const MonitorStatus& Status() const { return status_; }
    MessageList& Messages() { return messages_; }
    InterfaceTable& Table() { return table_; }
    TrafficGraph& Graph() override { return graph_; }
    const QStringList& InterfaceEntries() const { return choice_.Entries(); }
    int SelectedInterface() const { return choice_.Selected(); }
    // What the last discovery read for the device report, as decimal text.
    const QString& DiscoveryUptime() const { return discovery_.Uptime(); }
    const QString& InterfaceCount() const { return discovery_.InterfaceCount(); }
    // The device report of the last gather; the interface selection clears it.
    const QStringList& DeviceReport() const { return report_.Lines(); }
    // The remembered hosts, as hostfile.txt holds them.
    const QStringList& Hosts() const { return hosts_; }
    bool IsPolling() const { return scheduler_.IsPolling(); }
    bool IsCountingDown() const { return scheduler_.IsCountingDown(); }
    bool IsAutoStartArmed() const { return scheduler_.IsAutoStartArmed(); }
    int PollPeriodMs() const { return scheduler_.PollPeriodMs(); }
    // The device worker, for a part that runs its jobs beside the monitor's
    // (the sweep of every interface), called off with them.
    DeviceWorker& Worker() { return worker_; }
    // Whether the device worker has an exchange or a sound of ours going.
    bool IsWaitingForDevice() const { return worker_.Busy(); }

    // The file name, relative to the program's folder, of a start profile
    // that every ResetAll applies (the program's first argument).
    void SetStartProfile(const QString& name) { startProfile_ = name; }

    // Start and "Reset all". Every operation below reports its errors to the
    // view and ends there.
    void ResetAll();

    // One measurement; a poll asked for while one runs follows it, once.
    void PollOnce();
    void StartPolling();
    // The status says why; by default it was the user.
    void StopPolling(const QString& status = QStringLiteral("Polling stopped by user."));
    // While polling, the host's memory keeps the interval chosen.
    void SelectInterval(int seconds);
    // The user picks an interval; "every 1 sec" is reached by a middle click.
    void ChooseInterval(int seconds);
    void SetWriteLog(bool on);
    void SetWriteDebugLog(bool on);

    // Edits of the window's fields.
    void SetHost(const QString& host);
    void SetBandwidth(const QString& text);
    // What the user types wins over a community the view still looks for.
    void SetCommunity(const QString& text);
    // The view's answer to MonitorView::RecallCommunity: taken while `host`
    // is still the one chosen and nobody gave a community meanwhile.
    void SetRecalledCommunity(const QString& host, const QString& community);
    // "&First contact": walks the device's interface table into the table
    // and the interface list and selects the first interface.
    void FirstContact();
    // Esc while "&First contact" runs: it ends where it stands.
    void CallOffFirstContact();
    // The user chose entry `index` of the interface list: it becomes the
    // polled interface, with its speed as the bandwidth, from zero traffic.
    void SelectInterface(int index);
    // Reads the device report afresh; DeviceInfoGathered() follows.
    void GatherDeviceInfo();
    // "Export device info": gathers, writes device_info.txt in the program's
    // folder and asks the desktop to open it.
    void ExportDeviceInfo() { report_.Export(state_.Device); }
    // What the export writes: the report, then the interface table.
    QStringList DeviceInfoLines() const { return report_.FileLines(); }
    // The window keeps hostfile.txt and each host's memory in the settings;
    // a monitor without a host combo leaves both alone.
    void KeepHostList(bool keep) { keepHostList_ = keep; }
    // The window stores the default of every option missing from the settings;
    // a monitor that only reads them leaves the store as it is.
    void StoreMissingSettings(bool store) { storeMissingSettings_ = store; }
    // Reads the polled interface's speed, and with takeBandwidth puts it into
    // the bandwidth, as choosing the interface from the discovered list does;
    // InterfaceSpeedRead() follows.
    void ReadInterfaceSpeed(bool takeBandwidth = true);
    // The unit of the graph, the traffic lines and the logs.
    void SetShowBytes(bool on) override;
    void SetContinueWithZeroes(bool on) override { state_.ContinueWithZeroes = on; }
    // The version of the next request; a poll that changes the counters'
    // width measures from the poll after it.
    void SetSnmpVersion(SnmpVersion version) override;
    // Who asks over SNMPv3 from the next request on.
    void SetSnmpSecurity(const SnmpV3Security& security) override {
        state_.Device.Security = security;
    }
    const SnmpV3Security& SnmpSecurity() const override { return state_.Device.Security; }
    // The view's answer to MonitorView::RequestV3Passphrases (empty texts
    // when it found none): they count while `user` is still the one asking,
    // and a start profile's polling waiting for them starts.
    void SetV3Passphrases(const QString& user, const QString& authPassphrase,
                          const QString& privPassphrase);
    // Over SNMPv3, the passphrases from the environment, or else asked of the
    // view (ResetAll does it; a view that could not answer then asks again).
    void RequestV3Passphrases();
    // Whether a start profile's polling waits for the view's passphrases.
    bool IsAwaitingV3Passphrases() const { return awaitingPassphrases_; }
    // The interfaces that can be polled: the list is filled, enabled and its
    // first entry selected.
    void OfferInterfaces(const QStringList& entries);
    // For a caller without discovery: interface `index` alone is offered, and
    // it names the log files as a selection would.
    void PollInterface(const QString& index);
    void ApplyGraphType(TGraphType type);
    // The clock that times the counter readings and runs the polling's
    // timers; a caller that drives time itself (tests) sets its own before
    // polling starts.
    void UseClock(const std::shared_ptr<PollClock>& clock) {
        cycle_.UseClock(clock);
        scheduler_.UseClock(clock);
    }

    // The poll, countdown and auto-start ticks; public so that a caller that
    // drives time itself (tests) can fire them.
    void PollTick() { scheduler_.PollTick(); }
    void CountdownTick() { scheduler_.CountdownTick(); }
    void AutoStartTick() { scheduler_.AutoStartTick(); }

    // "Total traffic transferred ..." for the totals so far.
    QString TotalsLine() const;

  signals:
    // What the monitor shows has changed.
    void StatusChanged(const pulsewell::MonitorStatus& status);
    // A threshold alarm went off: once when the utilization reaches its
    // level, again only after it fell below that level's threshold.
    void AlarmNoticed(const pulsewell::TAlarmNotice& notice);
    // The probe answered and the poll timer runs; the first poll follows.
    void PollingStarted();
    // A poll got as far as its traffic line; PollFinished() follows.
    void PollMeasured(const pulsewell::PollMeasurement& measurement);
    // A poll has ended, whether it ran to its last step or stopped early.
    void PollFinished();
    // Polling stopped by the error policy or a failed probe.
    void PollingFailed();
    // "&First contact" has ended, with interfaces found or not.
    void DiscoveryEnded(const pulsewell::DiscoveryOutcome& outcome);
    // "&First contact" has filled more of the table and lets what waits run
    // before it asks the device again; a caller that drives time itself
    // (tests) acts here as a window's events would.
    void DiscoveryProgressed();
    // GatherDeviceInfo() has ended; DeviceReport() holds the report.
    void DeviceInfoGathered();
    // ReadInterfaceSpeed() has ended; the bandwidth changed if it was to
    // take the speed and the device has one for the interface.
    void InterfaceSpeedRead(const pulsewell::InterfaceSpeedReading& reading);

  private:
    // Where polling stands, for the commands it allows.
    enum class Session {
        Idle,
        // The probe answered: polling runs.
        Polling,
        // Polling was stopped, refused or failed.
        Ended,
    };
    // The one place that decides which commands are available.
    AvailableCommands Commands() const;
    // The status as it stands, emitted when it differs from the last one.
    void Publish();
    // The host combo's entries and text.
    void ShowHosts(const QStringList& entries, const QString& text);
    void ClearHostDependentState();
    // A remembered host brings back its interval, the interface that
    // discovery then chooses, and (through the view) its community.
    void RecallHostSettings();
    // The entry of the interface list that discovery chooses: the host's
    // remembered interface where the table has it, else `offered`.
    int RememberedEntry(int offered) const;
    // Polling runs: the host's interface and interval go to its memory.
    void RememberPolling();
    void LoadHostList();
    void ApplyStartProfile();
    // The polled interface's description, where discovery listed it.
    QString PolledInterfaceName() const;
    void PollDue();
    // What a poll starting now asks, as the state stands.
    PollRequest CurrentPollRequest() const;
    void PollEnded(const PollOutcome& outcome);
    void ProbeAnswered(bool answered, const std::optional<QString>& cause);
    // Missing input: a message box, and the commands to try again.
    void RefusePoll(const QString& reason);
    void StopByError(const QString& status);
    // Calls off whatever the device worker runs for us.
    void AbandonDeviceWork();
    // The auto-start tick: polling starts, or waits for the passphrases.
    void AutoStart();

    MonitorView& view_;
    TMonitorState state_;
    StatusBoard board_{[this] { Publish(); }};
    MonitorStatus status_;
    MessageList messages_;
    InterfaceTable table_;
    TrafficGraph graph_;
    TGraphType graphType_ = TGraphType::Separate;
    InterfaceChoice choice_;
    DeviceWorker worker_;
    PollScheduler scheduler_;
    AlarmPlayer alarms_;
    PollCycle cycle_;
    HistoryRecorder recorder_;
    InterfaceDiscovery discovery_;
    DeviceInfoReport report_;
    QStringList hosts_;
    bool keepHostList_ = true;
    bool storeMissingSettings_ = true;
    QString startProfile_;
    // The chosen host's memory, while it has one.
    std::optional<THostMemory> remembered_;
    // The host whose community the view looks for; empty when none is awaited.
    QString recallingCommunityFor_;
    QStringList hostEntries_;
    QString hostText_;
    Session session_ = Session::Idle;
    bool probing_ = false;
    // A first contact or a start profile gave an interface to poll.
    bool offered_ = false;
    // A first contact found the device, or its polling stopped: its report can be shown.
    bool reportable_ = false;
    // Polling started with the community shown; stopping it frees the field.
    bool communityLocked_ = false;
    // A poll fell due while one was running.
    bool pollDueAfterThis_ = false;
    // The view looks for the SNMPv3 passphrases; the auto-start came meanwhile.
    bool awaitingPassphrases_ = false;
    bool startWhenPassphrases_ = false;
};

}  // namespace pulsewell
