#pragma once

#include <QStringList>
#include <functional>

#include "core/DeviceTarget.h"
#include "core/MonitorView.h"
#include "core/device/DeviceWorker.h"
#include "core/discovery/InterfaceDiscovery.h"
#include "core/discovery/InterfaceTable.h"

namespace pulsewell {

// "Show device info" and "Export device info": the device report gathered
// on the device worker, and device_info.txt with the report and the table.
class DeviceInfoReport {
  public:
    DeviceInfoReport(ErrorReporter& errors, DocumentOpener& opener,
                     const InterfaceDiscovery& discovery, const InterfaceTable& table,
                     DeviceWorker& worker);

    // Reads the device's report afresh; `gathered` follows on this thread,
    // also when an error box ended the reading (the report is then empty).
    void Gather(const DeviceTarget& device, std::function<void()> gathered);
    // Gathers, writes device_info.txt in the program's folder and asks the
    // desktop to open it.
    void Export(const DeviceTarget& device);
    // The report of the last gather; the interface selection clears it.
    const QStringList& Lines() const { return report_; }
    void Clear() { report_.clear(); }
    // What the export writes: the report, then the interface table.
    QStringList FileLines() const;

  private:
    // `then` under the error guard once the report is read, `after` in any case.
    void Read(const DeviceTarget& device, std::function<void()> then,
              std::function<void()> after = {});

    ErrorReporter& errors_;
    DocumentOpener& opener_;
    const InterfaceDiscovery& discovery_;
    const InterfaceTable& table_;
    DeviceWorker& worker_;
    QStringList report_;
};

}  // namespace pulsewell
