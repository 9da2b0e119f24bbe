#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/SnmpVersion.h"

namespace pulsewell {

// The commands the user can give now.
struct AvailableCommands {
    bool firstContact = true;
    bool startPolling = false;
    bool stopPolling = false;
    bool showDeviceInfo = false;

    friend bool operator==(const AvailableCommands&, const AvailableCommands&) = default;
};

// What the monitor shows, as one value: a view draws it whole whenever it
// changes (Monitor::StatusChanged).
struct MonitorStatus {
    AvailableCommands commands;
    // The status bar's first panel. `discoveryNews` when it tells how a
    // first contact goes ("Reading the interface table...", "3 interfaces
    // found"), which only a window shows.
    QString statusText;
    bool discoveryNews = false;
    // The status bar's second panel.
    QString countdownText;
    std::int64_t totalIn = 0;
    std::int64_t totalOut = 0;
    std::int64_t totalCombined = 0;
    QString bandwidth;
    // The interface list's texts; a choice comes back by its position
    // (Monitor::SelectInterface).
    QStringList interfaces;
    int selectedInterface = -1;
    bool interfaceListEnabled = false;
    // The host combo's entries and the text of its edit.
    QStringList hosts;
    QString hostText;
    QString community;
    // Polling runs with this community.
    bool communityReadOnly = false;
    SnmpVersion version = SnmpVersion::V1;
    int intervalSeconds = 0;
    // The "Write log file" and "Write debug log" menu items.
    bool logSwitchesEnabled = true;
    bool writeLog = false;
    bool writeDebugLog = false;
    // A first contact runs on the device.
    bool discovering = false;
    // The last first contact reached the device: its report can be exported.
    bool deviceInfoExportable = false;

    friend bool operator==(const MonitorStatus&, const MonitorStatus&) = default;
};

}  // namespace pulsewell

Q_DECLARE_METATYPE(pulsewell::MonitorStatus)
