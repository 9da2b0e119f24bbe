#include "Monitor.h"

namespace pulsewell {

Monitor::Monitor(MonitorView& view, QObject* parent)
    : QObject(parent), view_(view), messages_(this), table_(this) {}

void Monitor::ResetAll() {
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

    state_.PolledInterface = state_.InterfaceNumber;
    state_.ZeroTrafficFigures();
    ShowTotals();
    table_.WriteTitles();

    state_.Bandwidth = QStringLiteral("0");
    view_.ShowBandwidth(state_.Bandwidth);

    interfaceEntries_.clear();
    ShowInterfaceList(-1, false);

    messages_.Clear();
}

void Monitor::ShowInterfaceList(int selected, bool enabled) {
    view_.ShowInterfaceList(interfaceEntries_, selected, enabled);
}

void Monitor::ShowTotals() {
    view_.ShowTotals(state_.TotalIn, state_.TotalOut, state_.TotalCombined);
}

}  // namespace pulsewell
