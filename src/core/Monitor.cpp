#include "core/Monitor.h"

#include "core/ProgramFolder.h"
#include "core/device/DeviceObjects.h"
#include "core/discovery/InterfaceSpeed.h"
#include "core/numbers/NumberText.h"
#include "core/settings/HostList.h"
#include "core/settings/HostMemory.h"
#include "core/settings/SnmpV3Settings.h"
#include "core/settings/StartProfile.h"
#include "core/settings/StoredSettings.h"

namespace pulsewell {

namespace {

// The bandwidth a speed cell of the interface table stands for. The locale's
// own separator goes too: where it is none of the three (a narrow no-break
// space, an apostrophe) every poll would fail on it.
QString BandwidthOfSpeedCell(const QString& cell) {
    return StripSeparators(cell).remove(QLocale().groupSeparator());
}

QList<int> AllIntervals() {
    return QList<int>(std::begin(Monitor::kIntervals), std::end(Monitor::kIntervals));
}

// The table's columns that name an interface.
constexpr int kIndexColumn = 0;
constexpr int kDescriptionColumn = 1;

}  // namespace

Monitor::Monitor(MonitorView& view, DeviceReader& reader, SoundPlayer& player,
                 DeviceWorker::Threading threading, QObject* parent)
    : QObject(parent),
      view_(view),
      messages_(this),
      table_(this),
      graph_(this),
      worker_(reader, player, threading),
      scheduler_(board_, state_.Schedule),
      alarms_(view, view, worker_),
      cycle_(view, board_, state_.Traffic, messages_, graph_, alarms_, worker_),
      recorder_([this](const QString& problem) { messages_.Append(problem); }),
      discovery_(view, board_, table_, choice_, worker_),
      report_(view, view, discovery_, table_, worker_) {
    alarms_.OnAlarm([this] { recorder_.MarkAlarm(state_.Device.Host, state_.PolledInterface); });
    alarms_.OnNotice([this](const TAlarmNotice& notice) { emit AlarmNoticed(notice); });
    discovery_.OnProgress([this] { emit DiscoveryProgressed(); });
    connect(&scheduler_, &PollScheduler::PollDue, this, &Monitor::PollDue);
    connect(&scheduler_, &PollScheduler::AutoStartDue, this, &Monitor::AutoStart);
    connect(&scheduler_, &PollScheduler::IntervalSelected, this,
            [this] { state_.Traffic.ZeroCounters(); });
}

Monitor::~Monitor() {
    // What still runs on the worker ends at once and reaches none of the parts.
    worker_.Abandon();
}

AvailableCommands Monitor::Commands() const {
    const bool polling = probing_ || session_ == Session::Polling;
    return {
        .firstContact = !polling && !discovery_.Running(),
        .startPolling = !polling && (offered_ || session_ == Session::Ended),
        .stopPolling = offered_,
        .showDeviceInfo = reportable_,
    };
}

void Monitor::Publish() {
    MonitorStatus status{
        .commands = Commands(),
        .statusText = board_.Text(),
        .discoveryNews = board_.DiscoveryNews(),
        .countdownText = board_.Countdown(),
        .totalIn = state_.Traffic.Total.In,
        .totalOut = state_.Traffic.Total.Out,
        .totalCombined = state_.Traffic.Total.Combined,
        .bandwidth = state_.Bandwidth,
        .interfaces = choice_.Shown(),
        .selectedInterface = choice_.Selected(),
        .interfaceListEnabled = choice_.Enabled(),
        .hosts = hostEntries_,
        .hostText = hostText_,
        .community = state_.Device.Community,
        .communityReadOnly = communityLocked_,
        .version = state_.Device.Version,
        .intervalSeconds = state_.Schedule.IntervalSeconds,
        .logSwitchesEnabled = PollScheduler::LogsAllowed(state_.Schedule.IntervalSeconds),
        .writeLog = state_.Schedule.WriteLog,
        .writeDebugLog = state_.Schedule.WriteDebugLog,
        .discovering = discovery_.Running(),
        .deviceInfoExportable = discovery_.Reached(),
    };
    if (status != status_) {
        status_ = std::move(status);
        emit StatusChanged(status_);
    }
}

void Monitor::ShowHosts(const QStringList& entries, const QString& text) {
    hostEntries_ = entries;
    hostText_ = text;
    Publish();
}

void Monitor::AbandonDeviceWork() {
    worker_.Abandon();
    pollDueAfterThis_ = false;
    cycle_.Abandon();
    discovery_.Abandon();
    if (probing_) {
        probing_ = false;
        communityLocked_ = false;
    }
}

void Monitor::ResetAll() {
    AbandonDeviceWork();
    awaitingPassphrases_ = false;
    startWhenPassphrases_ = false;
    RunGuarded(view_, [this] {
        graph_.SetUp();

        scheduler_.StopPolling();
        session_ = Session::Idle;
        offered_ = false;
        reportable_ = false;
        board_.SetText(QString());
        messages_.Clear();

        table_.ClearDataCells();
        table_.SetRowCount(2);

        LoadStoredSettings(view_, graph_, state_, storeMissingSettings_);
        graph_.SetShowBytes(state_.ShowBytes);
        state_.PolledInterface = state_.InterfaceNumber;
        state_.Traffic.ZeroTrafficFigures();
        table_.WriteTitles();

        state_.Bandwidth = QStringLiteral("0");

        graph_.ApplyGraphType(graphType_, state_.ShowBytes);
        graph_.ClearSeries();
        graph_.Graphupdate();

        choice_.Clear();

        LoadHostList();
        messages_.Clear();
        ApplyStartProfile();
    });
    Publish();
    RequestV3Passphrases();
}

void Monitor::SetSnmpVersion(SnmpVersion version) {
    state_.Device.Version = version;
    Publish();
}

void Monitor::RequestV3Passphrases() {
    awaitingPassphrases_ = false;
    if (state_.Device.Version != SnmpVersion::V3) {
        return;
    }
    SnmpV3Security& security = state_.Device.Security;
    security.AuthPassphrase.clear();
    security.PrivPassphrase.clear();
    if (TakePassphrasesFromEnvironment(security) || security.User.isEmpty()) {
        return;
    }
    // Set first: a view that knows them already answers inside the call.
    awaitingPassphrases_ = true;
    if (!view_.RequestV3Passphrases(security.User)) {
        awaitingPassphrases_ = false;
    }
}

void Monitor::SetV3Passphrases(const QString& user, const QString& authPassphrase,
                               const QString& privPassphrase) {
    if (user != state_.Device.Security.User) {
        return;
    }
    state_.Device.Security.AuthPassphrase = authPassphrase;
    state_.Device.Security.PrivPassphrase = privPassphrase;
    awaitingPassphrases_ = false;
    if (startWhenPassphrases_) {
        startWhenPassphrases_ = false;
        StartPolling();
    }
}

void Monitor::AutoStart() {
    if (awaitingPassphrases_) {
        startWhenPassphrases_ = true;
        return;
    }
    StartPolling();
}

void Monitor::LoadHostList() {
    if (!keepHostList_) {
        return;
    }
    hosts_ = HostList(ProgramFolder()).Load();
    // Without entries the edit keeps the host it shows.
    ShowHosts(hosts_, hosts_.isEmpty() ? state_.Device.Host : hosts_.first());
    if (!hosts_.isEmpty()) {
        SetHost(hosts_.first());
    }
}

void Monitor::ApplyStartProfile() {
    if (startProfile_.isEmpty()) {
        return;
    }
    // An earlier "Reset all" armed it for a profile that may no longer hold.
    scheduler_.DisarmAutoStart();
    // The combo offers the profile's host alone; hostfile.txt keeps the others.
    ShowHosts({}, QString());
    const QString path = ProgramFolder() + startProfile_;
    const std::optional<THostEntry> entry = ReadStartProfile(path);
    if (!entry) {
        return;
    }
    QList<int> intervals = AllIntervals();
    intervals.removeOne(1);  // reached by a middle click only
    CheckStartProfile(*entry, path, intervals);
    SetHost(entry->IP);
    ShowHosts({state_.Device.Host}, state_.Device.Host);
    SetCommunity(entry->community);
    state_.Bandwidth = entry->bandwidth;
    // Not the interface selection: InterfaceNumber, and so the log names, stay.
    choice_.Offer({entry->Interface}, true);
    for (const int seconds : kIntervals) {
        if (seconds != 1 && entry->interval == QString::number(seconds)) {
            ChooseInterval(seconds);
        }
    }
    if (const auto version = ParseSnmpVersion(entry->version)) {
        state_.Device.Version = *version;
    }
    ApplyV3Profile(*entry, path, state_.Device.Security);
    offered_ = true;
    Publish();
    scheduler_.ArmAutoStart();
}

void Monitor::SetHost(const QString& host) {
    hostText_ = host;
    if (host == state_.Device.Host) {
        Publish();
        return;
    }
    state_.Device.Host = host;
    ClearHostDependentState();
    RecallHostSettings();
    Publish();
}

void Monitor::RecallHostSettings() {
    remembered_.reset();
    recallingCommunityFor_.clear();
    if (!keepHostList_) {
        return;
    }
    RunGuarded(view_, [this] {
        remembered_ = RecallHost(state_.Device.Host, AllIntervals());
        if (remembered_) {
            ChooseInterval(remembered_->IntervalSeconds);
        }
    });
    const bool known = std::ranges::any_of(hosts_, [this](const QString& entry) {
        return entry.compare(state_.Device.Host, Qt::CaseInsensitive) == 0;
    });
    if (remembered_ || known) {
        // Set first: a view that knows it already answers inside the call.
        recallingCommunityFor_ = state_.Device.Host;
        view_.RecallCommunity(state_.Device.Host);
    }
}

void Monitor::SetCommunity(const QString& text) {
    state_.Device.Community = text;
    recallingCommunityFor_.clear();
    Publish();
}

void Monitor::SetBandwidth(const QString& text) {
    state_.Bandwidth = text;
    Publish();
}

void Monitor::SetWriteLog(bool on) {
    scheduler_.SetWriteLog(on);
    Publish();
}

void Monitor::SetWriteDebugLog(bool on) {
    scheduler_.SetWriteDebugLog(on);
    Publish();
}

void Monitor::OfferInterfaces(const QStringList& entries) {
    choice_.Offer(entries, true);
    Publish();
}

void Monitor::SetRecalledCommunity(const QString& host, const QString& community) {
    if (host.isEmpty() || host != recallingCommunityFor_ || host != state_.Device.Host) {
        return;
    }
    SetCommunity(community);
}

int Monitor::RememberedEntry(int offered) const {
    if (!remembered_) {
        return offered;
    }
    std::optional<int> byIndex;
    std::optional<int> byName;
    for (int row = 1; row < table_.RowCount(); ++row) {
        const bool index = table_.Cell(kIndexColumn, row) == remembered_->Interface;
        const bool name = !remembered_->InterfaceName.isEmpty() &&
                          table_.Cell(kDescriptionColumn, row) == remembered_->InterfaceName;
        if (index && (name || remembered_->InterfaceName.isEmpty())) {
            return row - 1;
        }
        if (name && !byName) {
            byName = row - 1;  // the device numbered its interfaces anew
        }
        if (index) {
            byIndex = row - 1;
        }
    }
    return byName.value_or(byIndex.value_or(offered));
}

void Monitor::RememberPolling() {
    const QString index = choice_.SelectedEntry();
    if (!keepHostList_ || state_.Device.Host.isEmpty() || index.isEmpty()) {
        return;
    }
    THostMemory memory{index, QString(), state_.Schedule.IntervalSeconds};
    for (int row = 1; row < table_.RowCount(); ++row) {
        if (table_.Cell(kIndexColumn, row) == index) {
            memory.InterfaceName = table_.Cell(kDescriptionColumn, row);
        }
    }
    RunGuarded(view_, [&] { RememberHost(state_.Device.Host, memory); });
    remembered_ = memory;
}

void Monitor::SelectInterval(int seconds) {
    scheduler_.SelectInterval(seconds);
    if (IsPolling()) {
        RememberPolling();
    }
    Publish();
}

void Monitor::ChooseInterval(int seconds) {
    scheduler_.ChooseInterval(seconds);
    if (IsPolling()) {
        RememberPolling();
    }
    Publish();
}

void Monitor::ClearHostDependentState() {
    // Nothing the old device says from now on may reach the new one's state.
    AbandonDeviceWork();
    messages_.Clear();
    offered_ = false;
    reportable_ = false;
    if (session_ != Session::Polling) {
        session_ = Session::Idle;
    }
    table_.ClearDataCells();
    state_.PolledInterface = state_.InterfaceNumber;
    state_.Traffic.ZeroTrafficFigures();
    table_.WriteTitles();
    choice_.Clear();
    graph_.ApplyGraphType(graphType_, state_.ShowBytes);
    graph_.ClearSeries();
    state_.Bandwidth = QStringLiteral("0");
    graph_.Graphupdate();
}

void Monitor::StartPolling() {
    if (probing_) {
        return;
    }
    const bool ready = RunGuarded(view_, [this] {
        if (keepHostList_) {
            hosts_ = HostList(ProgramFolder()).Remember(hosts_, state_.Device.Host);
            ShowHosts(hosts_, state_.Device.Host);
        }
        graph_.ClearSeries();
        graph_.Graphupdate();
        board_.SetText(QString());
        messages_.Clear();
        communityLocked_ = true;
        cycle_.ForgetCounterWidth();
    });
    if (!ready) {
        return;
    }
    probing_ = true;
    Publish();
    auto answered = std::make_shared<bool>(false);
    auto cause = std::make_shared<std::optional<QString>>();
    worker_.Run(
        [device = state_.Device, interface = state_.PolledInterface, answered,
         cause](const DeviceWorker::Job& job) {
            job.Reader().Aim(device);
            *answered = job.Reader().QueryValue(objects::kIfSpeed + interface).has_value();
            if (!*answered) {
                *cause = job.Reader().LastFailureCause();
            }
        },
        [this, answered, cause](std::exception_ptr) {
            probing_ = false;
            ProbeAnswered(*answered, *cause);
        });
}

void Monitor::ProbeAnswered(bool answered, const std::optional<QString>& cause) {
    bool started = false;
    RunGuarded(view_, [&] {
        if (!answered) {
            scheduler_.StopPolling();
            session_ = Session::Ended;
            board_.SetText(NoAnswerText(QStringLiteral("Failure contacting host!"),
                                        state_.Device.Version, cause));
            emit PollingFailed();
            return;
        }
        session_ = Session::Polling;
        scheduler_.Start();
        graph_.Graphupdate();
        started = true;
    });
    if (started) {
        RememberPolling();
        if (state_.Device.Version != SnmpVersion::V3) {
            view_.KeepCommunity(state_.Device.Host, state_.Device.Community);
        }
        emit PollingStarted();
        PollOnce();
    }
}

void Monitor::PollDue() {
    if (cycle_.Running()) {
        pollDueAfterThis_ = true;
        scheduler_.ShowWaiting();
        return;
    }
    PollOnce();
}

void Monitor::PollOnce() {
    if (cycle_.Running()) {
        pollDueAfterThis_ = true;
        return;
    }
    state_.Bandwidth = StripSeparators(state_.Bandwidth);
    Publish();
    if (!state_.Device.Host.isEmpty()) {
        scheduler_.RestartCountdown();
        state_.PolledInterface = choice_.SelectedEntry();
    }
    cycle_.Start(CurrentPollRequest(), [this](const PollOutcome& outcome) { PollEnded(outcome); });
}

PollRequest Monitor::CurrentPollRequest() const {
    PollRequest request;
    request.device = state_.Device;
    request.interface = choice_.SelectedEntry();
    request.logInterface = state_.InterfaceNumber;
    request.bandwidth = state_.Bandwidth;
    request.intervalSeconds = state_.Schedule.IntervalSeconds;
    request.continueWithZeroes = state_.ContinueWithZeroes;
    request.showBytes = state_.ShowBytes;
    request.writeLog = state_.Schedule.WriteLog;
    request.writeDebugLog = state_.Schedule.WriteDebugLog;
    return request;
}

void Monitor::PollEnded(const PollOutcome& outcome) {
    switch (outcome.kind) {
        case PollOutcome::Refused:
            RefusePoll(outcome.text);
            break;
        case PollOutcome::Stopped:
            StopByError(outcome.text);
            break;
        case PollOutcome::Done:
            break;
    }
    if (const auto& measurement = outcome.measurement) {
        recorder_.Record(*measurement, state_.Device.Host, state_.PolledInterface,
                         PolledInterfaceName());
        emit PollMeasured(*measurement);
    }
    emit PollFinished();
    if (pollDueAfterThis_) {
        pollDueAfterThis_ = false;
        if (scheduler_.IsPolling()) {
            PollOnce();
        }
    }
}

QString Monitor::PolledInterfaceName() const {
    for (int row = 1; row < table_.RowCount(); ++row) {
        if (table_.Cell(0, row) == state_.PolledInterface) {
            return table_.Cell(1, row);
        }
    }
    return {};
}

void Monitor::RefusePoll(const QString& reason) {
    view_.ShowMessageBox(reason, QStringLiteral("Error"));
    session_ = Session::Ended;
    Publish();
}

void Monitor::StopByError(const QString& status) {
    scheduler_.StopPolling();
    session_ = Session::Ended;
    board_.SetText(status);
    emit PollingFailed();
}

void Monitor::StopPolling(const QString& status) {
    if (probing_ || cycle_.Running()) {
        AbandonDeviceWork();
    }
    board_.SetText(QString());
    scheduler_.StopPolling();
    scheduler_.StopCountdown();
    session_ = Session::Ended;
    reportable_ = true;
    communityLocked_ = false;
    state_.Traffic.ZeroCounters();
    state_.Traffic.ZeroReadings();
    board_.SetText(status);
    board_.SetCountdown(QString());
    messages_.Append(TotalsLine());
    state_.Traffic.Total = Totals{};
    Publish();
}

QString Monitor::TotalsLine() const {
    return QStringLiteral(
               "Total traffic transferred IN: %1 bytes; OUT: %2 bytes; combined: %3 bytes")
        .arg(state_.Traffic.Total.In)
        .arg(state_.Traffic.Total.Out)
        .arg(state_.Traffic.Total.Combined);
}

void Monitor::FirstContact() {
    discovery_.Start(
        state_.Device, [this](int index) { SelectInterface(RememberedEntry(index)); },
        [this](const DiscoveryOutcome& outcome) {
            if (outcome.unreached) {
                scheduler_.StopPolling();
            }
            if (outcome.pollable) {
                offered_ = true;
                reportable_ = true;
            }
            Publish();
            emit DiscoveryEnded(outcome);
        });
}

void Monitor::CallOffFirstContact() {
    if (discovery_.Running()) {
        worker_.Abandon();
        discovery_.CallOff();
    }
}

void Monitor::SelectInterface(int index) {
    choice_.Select(index);
    const QString entry = choice_.SelectedEntry();
    state_.PolledInterface = entry;
    state_.InterfaceNumber = entry;

    state_.Traffic.ZeroTrafficFigures();
    graph_.ClearSeries();
    graph_.Graphupdate();
    graph_.ZeroScaleCaptions();

    state_.Bandwidth = BandwidthOfSpeedCell(table_.Cell(2, index + 1));

    messages_.Clear();
    report_.Clear();
    Publish();
}

void Monitor::PollInterface(const QString& index) {
    state_.InterfaceNumber = index;
    state_.PolledInterface = index;
    choice_.Offer({index}, true);
    Publish();
}

void Monitor::ReadInterfaceSpeed(bool takeBandwidth) {
    auto reading = std::make_shared<InterfaceSpeedReading>();
    worker_.Run(
        [device = state_.Device, interface = state_.PolledInterface,
         reading](const DeviceWorker::Job& job) {
            job.Reader().Aim(device);
            *reading = pulsewell::ReadInterfaceSpeed(job.Reader(), device.Version, interface);
        },
        [this, reading, takeBandwidth](std::exception_ptr error) {
            RunGuarded(view_, [&] {
                if (error) {
                    std::rethrow_exception(error);
                }
                if (takeBandwidth && !reading->cell.isEmpty()) {
                    state_.Bandwidth = BandwidthOfSpeedCell(reading->cell);
                    Publish();
                }
            });
            emit InterfaceSpeedRead(*reading);
        });
}

void Monitor::GatherDeviceInfo() {
    report_.Gather(state_.Device, [this] { emit DeviceInfoGathered(); });
}

void Monitor::SetShowBytes(bool on) {
    state_.ShowBytes = on;
    graph_.SetShowBytes(on);
}

void Monitor::ApplyGraphType(TGraphType type) {
    graphType_ = type;
    graph_.ApplyGraphType(type, state_.ShowBytes);
}

}  // namespace pulsewell
