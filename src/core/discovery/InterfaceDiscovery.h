#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/DeviceTarget.h"
#include "core/MonitorView.h"
#include "core/device/DeviceWorker.h"
#include "core/discovery/InterfaceChoice.h"
#include "core/discovery/InterfaceTable.h"

namespace pulsewell {

// "&First contact": walks the device's interface table on the device worker
// into the table and the interface list, row by row as the answers come, and
// keeps what the device report takes from it (uptime, interface count).
// While it runs, "&First contact" is disabled and the status says so.
class InterfaceDiscovery {
  public:
    // Chooses an interface of the list (the monitor's selection).
    using Select = std::function<void(int index)>;
    // How a discovery ended.
    struct Result {
        // The device gave no first interface, silent or without a value:
        // there is nothing to poll on it either.
        bool unreached = false;
    };
    // Discovery ended, found interfaces or not; not called when abandoned.
    using Ended = std::function<void(const Result&)>;

    InterfaceDiscovery(MonitorView& view, InterfaceTable& table, InterfaceChoice& choice,
                       DeviceWorker& worker);

    // Walks the device's table. Ignored while a discovery runs: a second
    // walk would fill the table twice over with rows of both.
    void Start(const DeviceTarget& device, Select select, Ended ended);
    bool Running() const { return running_; }
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

    MonitorView& view_;
    InterfaceTable& table_;
    InterfaceChoice& choice_;
    DeviceWorker& worker_;
    bool running_ = false;
    QString uptime_ = QStringLiteral("0");
    QString interfaceCount_ = QStringLiteral("0");
};

}  // namespace pulsewell
