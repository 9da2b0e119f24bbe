#include "Monitor.h"

#include "HostList.h"
#include "ProgramFolder.h"
#include "StartProfile.h"
#include "StoredSettings.h"

namespace pulsewell {

Monitor::Monitor(MonitorView& view, DeviceReader& reader, SoundPlayer& player, QObject* parent)
    : QObject(parent),
      view_(view),
      reader_(reader),
      player_(player),
      messages_(this),
      table_(this),
      graph_(this) {
    countdownTimer_.setInterval(1000);
    autoStartTimer_.setInterval(1000);
    autoStartTimer_.setSingleShot(true);
    connect(&autoStartTimer_, &QTimer::timeout, this, &Monitor::AutoStartTick);
    connect(&pollTimer_, &QTimer::timeout, this, &Monitor::PollTick);
    connect(&countdownTimer_, &QTimer::timeout, this, &Monitor::CountdownTick);
}

void Monitor::Guarded(const std::function<void()>& handler) { RunGuarded(view_, handler); }

void Monitor::ResetAll() {
    ++deviceChanges_;
    Guarded([this] {
        graph_.SetUp();
        view_.ShowCompactLayout();

        pollTimer_.stop();
        view_.SetStatusText(MonitorView::kStatusPanel, QString());
        messages_.Clear();

        view_.SetCommandEnabled(MonitorCommand::StartPolling, false);
        view_.SetCommandEnabled(MonitorCommand::StopPolling, false);
        view_.SetCommandEnabled(MonitorCommand::FirstContact, true);
        view_.SetCommandEnabled(MonitorCommand::ShowDeviceInfo, false);

        table_.ClearDataCells();
        table_.SetRowCount(2);

        LoadStoredSettings(view_, graph_, state_);
        graph_.SetShowBytes(state_.ShowBytes);
        state_.PolledInterface = state_.InterfaceNumber;
        state_.ZeroTrafficFigures();
        ShowTotals();
        table_.WriteTitles();

        state_.Bandwidth = QStringLiteral("0");
        view_.ShowBandwidth(state_.Bandwidth);

        graph_.ApplyGraphType(graphType_, state_.ShowBytes);
        graph_.ClearSeries();
        graph_.Graphupdate();

        interfaceEntries_.clear();
        selectedInterface_ = -1;
        ShowInterfaceList(false);

        LoadHostList();
        messages_.Clear();
        ApplyStartProfile();
    });
}

void Monitor::LoadHostList() {
    if (!keepHostList_) {
        return;
    }
    hosts_ = HostList(ProgramFolder()).Load();
    // Without entries the edit keeps the host it shows.
    view_.ShowHosts(hosts_, hosts_.isEmpty() ? state_.Host : hosts_.first());
    if (!hosts_.isEmpty()) {
        SetHost(hosts_.first());
    }
}

void Monitor::ApplyStartProfile() {
    if (startProfile_.isEmpty()) {
        return;
    }
    hosts_.clear();
    view_.ShowHosts(hosts_, QString());
    const std::optional<THostEntry> entry = ReadStartProfile(ProgramFolder() + startProfile_);
    if (!entry) {
        return;
    }
    SetHost(entry->IP);
    hosts_ = {state_.Host};
    view_.ShowHosts(hosts_, state_.Host);
    state_.Community = entry->community;
    view_.ShowCommunity(state_.Community);
    state_.Bandwidth = entry->bandwidth;
    view_.ShowBandwidth(state_.Bandwidth);
    // Not the interface selection: InterfaceNumber, and so the log names, stay.
    interfaceEntries_ = {entry->Interface};
    selectedInterface_ = 0;
    ShowInterfaceList(true);
    for (const int seconds : kIntervals) {
        if (seconds != 1 && entry->interval == QString::number(seconds)) {
            ChooseInterval(seconds);
        }
    }
    if (const auto version = ParseSnmpVersion(entry->version)) {
        state_.Version = *version;
    }
    view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
    view_.SetCommandEnabled(MonitorCommand::StopPolling, true);
    autoStartTimer_.start();
}

void Monitor::SetHost(const QString& host) {
    if (host == state_.Host) {
        return;
    }
    state_.Host = host;
    ClearHostDependentState();
}

void Monitor::ClearHostDependentState() {
    ++deviceChanges_;
    messages_.Clear();
    view_.SetCommandEnabled(MonitorCommand::StartPolling, false);
    view_.SetCommandEnabled(MonitorCommand::StopPolling, false);
    view_.SetCommandEnabled(MonitorCommand::ShowDeviceInfo, false);
    table_.ClearDataCells();
    state_.PolledInterface = state_.InterfaceNumber;
    state_.ZeroTrafficFigures();
    ShowTotals();
    table_.WriteTitles();
    interfaceEntries_.clear();
    selectedInterface_ = -1;
    ShowInterfaceList(false);
    graph_.ApplyGraphType(graphType_, state_.ShowBytes);
    graph_.ClearSeries();
    state_.Bandwidth = QStringLiteral("0");
    view_.ShowBandwidth(state_.Bandwidth);
    graph_.Graphupdate();
}

void Monitor::TargetDevice() {
    reader_.SetSnmpVersion(state_.Version);
    reader_.SetQueryTarget(state_.Community, state_.Host);
}

QString Monitor::NoAnswerText(const QString& failure) const {
    // Some older agents drop SNMPv2c requests without a word.
    return state_.Version == SnmpVersion::V2c
               ? failure + QStringLiteral(" The device did not answer in SNMPv2c.")
               : failure;
}

void Monitor::OfferInterfaces(const QStringList& entries) {
    interfaceEntries_ = entries;
    selectedInterface_ = entries.isEmpty() ? -1 : 0;
    ShowInterfaceList(true);
}

void Monitor::SetShowBytes(bool on) {
    state_.ShowBytes = on;
    graph_.SetShowBytes(on);
}

void Monitor::ApplyGraphType(TGraphType type) {
    graphType_ = type;
    graph_.ApplyGraphType(type, state_.ShowBytes);
}

void Monitor::ShowInterfaceList(bool enabled) {
    view_.ShowInterfaceList(interfaceEntries_, selectedInterface_, enabled);
}

void Monitor::ShowTotals() {
    view_.ShowTotals(state_.TotalIn, state_.TotalOut, state_.TotalCombined);
}

}  // namespace pulsewell
