#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/AlarmSettings.h"
#include "core/OperationError.h"
#include "core/SnmpVersion.h"
#include "core/polling/AlarmNotice.h"

namespace pulsewell {

// Commands whose enabled state the monitor decides.
enum class MonitorCommand {
    FirstContact,
    StartPolling,
    StopPolling,
    ShowDeviceInfo,
};

// What the monitor needs of whatever shows it: the main window, the
// command-line monitor or a test. Everything here only shows; user actions
// come back as calls on the monitor.
class MonitorView : public ErrorReporter {
  public:
    static constexpr int kStatusPanel = 0;
    static constexpr int kCountdownPanel = 1;

    virtual void SetStatusText(int panel, const QString& text) = 0;
    virtual void SetCommandEnabled(MonitorCommand command, bool enabled) = 0;
    // A modal box with an OK button, for missing input.
    virtual void ShowMessageBox(const QString& text, const QString& caption) = 0;
    // The window's 540-pixel layout with the interface table hidden.
    virtual void ShowCompactLayout() = 0;
    // The host combo's entries and the text of its edit; the first entry
    // equal to the text is the chosen one.
    virtual void ShowHosts(const QStringList& entries, const QString& text) = 0;
    virtual void ShowBandwidth(const QString& bandwidth) = 0;
    // The texts of the interface list's entries; the view reports a choice
    // by its position (Monitor::SelectInterface).
    virtual void ShowInterfaceList(const QStringList& entries, int selected, bool enabled) = 0;
    virtual void ShowTotals(std::int64_t totalIn, std::int64_t totalOut,
                            std::int64_t totalCombined) = 0;
    virtual void SetCommunityReadOnly(bool readOnly) = 0;
    virtual void ShowCommunity(const QString& community) = 0;
    // Marks the interval as chosen without running its handler again.
    virtual void ShowInterval(int seconds) = 0;
    // The "Write log file" and "Write debug log" menu items.
    virtual void ShowLogSwitches(bool enabled, bool writeLog, bool writeDebugLog) = 0;
    // Asks the desktop to open a file with its usual program; false when it refused.
    virtual bool OpenDocument(const QString& path) = 0;
    // The alarm thresholds, switches and files as the options dialog holds them now.
    virtual TAlarmSettings CurrentAlarmSettings() const = 0;

    // For discovery, which runs for a while on the device worker. A view
    // without a screen has nothing to do for these.
    // The busy cursor for the whole application, on or off.
    virtual void SetBusy(bool /*busy*/) {}
    // Discovery has filled more of the table; user actions may follow
    // before it goes on.
    virtual void ShowDiscoveryProgress() {}
    // What discovery is doing or has found ("Reading the interface
    // table...", "3 interfaces found"), for the status bar.
    virtual void ShowDiscoveryStatus(const QString& /*text*/) {}
    // One line of advice after a discovery that got no answer, for the traffic log.
    virtual void ShowDiscoveryHint(const QString& /*line*/) {}
    // The "Export device info" button.
    virtual void ShowExportDeviceInfo(bool /*visible*/) {}
    virtual void FocusInterfaceList() {}

    // The SNMP version of the requests from now on: the community field is
    // of no use over SNMPv3.
    virtual void ShowSnmpVersion(SnmpVersion /*version*/) {}
    // The monitor asks as SNMPv3 `user` and wants the passphrases: a view
    // that can find them (the desktop's keyring, the user) answers later
    // with Monitor::SetV3Passphrases and returns true; polling that a start
    // profile starts by itself waits for that answer.
    virtual bool RequestV3Passphrases(const QString& /*user*/) { return false; }
    // A remembered host was chosen: a view that keeps communities (the
    // desktop's keyring) answers later with Monitor::SetRecalledCommunity.
    virtual void RecallCommunity(const QString& /*host*/) {}
    // Polling of `host` started with this community: worth keeping.
    virtual void KeepCommunity(const QString& /*host*/, const QString& /*community*/) {}

    // A threshold alarm went off: once when the utilization reaches its
    // level, again only after it fell below that level's threshold. A view
    // without a desktop has nowhere to show it.
    virtual void ShowAlarmNotice(const TAlarmNotice& /*notice*/) {}
};

}  // namespace pulsewell
