#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/device/DeviceWorker.h"
#include "core/discovery/InterfaceChoice.h"
#include "core/discovery/InterfaceTable.h"
#include "core/polling/PollScheduler.h"

namespace pulsewell {

// "&First contact": walks the device's interface table on the device worker
// into the table and the interface list, row by row as the answers come, and
// keeps what the device report takes from it (uptime, interface count).
// While it runs, "&First contact" is disabled and the status says so.
class InterfaceDiscovery {
  public:
    // Chooses an interface of the list (the monitor's selection).
    using Select = std::function<void(int index)>;
    // Discovery ended, found interfaces or not; not called when abandoned.
    using Ended = std::function<void()>;

    InterfaceDiscovery(MonitorView& view, const TMonitorState& state, InterfaceTable& table,
                       InterfaceChoice& choice, PollScheduler& scheduler, DeviceWorker& worker);

    // Ignored while a discovery runs: a second walk would fill the table
    // twice over with rows of both.
    void Start(Select select, Ended ended);
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
    const TMonitorState& state_;
    InterfaceTable& table_;
    InterfaceChoice& choice_;
    PollScheduler& scheduler_;
    DeviceWorker& worker_;
    bool running_ = false;
    QString uptime_ = QStringLiteral("0");
    QString interfaceCount_ = QStringLiteral("0");
};

}  // namespace pulsewell
