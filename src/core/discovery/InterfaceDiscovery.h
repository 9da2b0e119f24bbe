#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/DeviceTarget.h"
#include "core/OperationError.h"
#include "core/StatusBoard.h"
#include "core/device/DeviceWorker.h"
#include "core/discovery/InterfaceChoice.h"
#include "core/discovery/InterfaceTable.h"

namespace pulsewell {

// How a first contact ended.
struct DiscoveryOutcome {
    // Interfaces were found and the first (or the remembered) one chosen.
    bool found = false;
    // The device counts interfaces that can be polled.
    bool pollable = false;
    // The device gave no first interface, silent or without a value: there
    // is nothing to poll on it either.
    bool unreached = false;
    // One line of advice for the traffic log after a device that never
    // answered; empty when there is none.
    QString hint;
};

// "&First contact": walks the device's interface table on the device worker
// into the table and the interface list, row by row as the answers come, and
// keeps what the device report takes from it (uptime, interface count).
// While it runs, the status says so.
class InterfaceDiscovery {
  public:
    // Chooses an interface of the list (the monitor's selection).
    using Select = std::function<void(int index)>;
    // Discovery ended, found interfaces or not; not called when abandoned.
    using Ended = std::function<void(const DiscoveryOutcome&)>;

    InterfaceDiscovery(ErrorReporter& errors, StatusBoard& board, InterfaceTable& table,
                       InterfaceChoice& choice, DeviceWorker& worker);

    // Walks the device's table. Ignored while a discovery runs: a second
    // walk would fill the table twice over with rows of both.
    void Start(const DeviceTarget& device, Select select, Ended ended);
    bool Running() const { return running_; }
    // The last discovery reached the device, so there is a report to export.
    bool Reached() const { return reached_; }
    // Told each time the walk has filled more of the table, before it asks
    // the device again; what the caller does meanwhile (a host change) may
    // end the walk there.
    void OnProgress(std::function<void()> progressed) { progressed_ = std::move(progressed); }
    // The device worker dropped the discovery (a host change, a reset).
    void Abandon();
    // The user called the discovery off; true when one was running. The
    // device worker's job must be dropped first.
    bool CallOff();

    // What the last discovery read for the device report, as decimal text.
    const QString& Uptime() const { return uptime_; }
    const QString& InterfaceCount() const { return interfaceCount_; }

  private:
    class Walk;

    ErrorReporter& errors_;
    StatusBoard& board_;
    InterfaceTable& table_;
    InterfaceChoice& choice_;
    DeviceWorker& worker_;
    bool running_ = false;
    bool reached_ = false;
    std::function<void()> progressed_;
    QString uptime_ = QStringLiteral("0");
    QString interfaceCount_ = QStringLiteral("0");
};

}  // namespace pulsewell

Q_DECLARE_METATYPE(pulsewell::DiscoveryOutcome)
