#pragma once

#include <QMap>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "core/MonitorView.h"

namespace pulsewell::test {

// A monitor view that remembers what it was told to show.
class RecordingView : public MonitorView {
  public:
    void ShowError(const QString& message) override { errors.append(message); }
    void SetStatusText(int panel, const QString& text) override {
        status[panel] = text;
        statusHistory.append(QString::number(panel) + u':' + text);
    }
    void SetCommandEnabled(MonitorCommand command, bool on) override { enabled[command] = on; }
    void ShowMessageBox(const QString& text, const QString& caption) override {
        messageBoxes.append(caption + QStringLiteral(": ") + text);
    }
    void ShowCompactLayout() override {}
    void ShowHosts(const QStringList& entries, const QString& text) override {
        hosts = entries;
        hostText = text;
    }
    void ShowBandwidth(const QString& text) override { bandwidth = text; }
    void ShowInterfaceList(const QStringList& entries, int selected, bool on) override {
        interfaces = entries;
        selectedInterface = selected;
        interfaceListEnabled = on;
    }
    void ShowTotals(std::int64_t in, std::int64_t out, std::int64_t combined) override {
        totals = {in, out, combined};
    }
    void SetCommunityReadOnly(bool readOnly) override { communityReadOnly = readOnly; }
    void ShowCommunity(const QString& text) override { community = text; }
    void ShowInterval(int seconds) override { shownInterval = seconds; }
    void ShowLogSwitches(bool on, bool log, bool debugLog) override {
        logSwitchesEnabled = on;
        logChecked = log;
        debugLogChecked = debugLog;
    }
    TAlarmSettings CurrentAlarmSettings() const override { return alarms; }
    bool OpenDocument(const QString& path) override {
        openedDocuments.append(path);
        return desktopOpens;
    }
    void SetBusy(bool on) override { busyHistory.append(on); }
    void ShowDiscoveryProgress() override {
        ++pendingEventRuns;
        if (whilePending) {
            whilePending();
        }
    }
    void ShowExportDeviceInfo(bool visible) override { exportVisible = visible; }
    void FocusInterfaceList() override { ++interfaceListFocused; }
    void ShowSnmpVersion(SnmpVersion version) override { shownVersion = version; }

    QStringList errors;
    QMap<int, QString> status;
    QStringList statusHistory;
    QMap<MonitorCommand, bool> enabled;
    QStringList messageBoxes;
    QStringList hosts;
    QString hostText;
    QString bandwidth;
    QStringList interfaces;
    int selectedInterface = -1;
    bool interfaceListEnabled = false;
    std::array<std::int64_t, 3> totals{};
    bool communityReadOnly = false;
    QString community;
    int shownInterval = 0;
    bool logSwitchesEnabled = true;
    bool logChecked = false;
    bool debugLogChecked = false;
    TAlarmSettings alarms;
    QList<bool> busyHistory;
    int pendingEventRuns = 0;
    std::function<void()> whilePending;  // what the window would do meanwhile
    bool exportVisible = false;
    int interfaceListFocused = 0;
    QStringList openedDocuments;
    bool desktopOpens = true;
    std::optional<SnmpVersion> shownVersion;
};

}  // namespace pulsewell::test
