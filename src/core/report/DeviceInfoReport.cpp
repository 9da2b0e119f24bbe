#include "core/report/DeviceInfoReport.h"

#include "core/ProgramFolder.h"
#include "core/report/DeviceReport.h"

namespace pulsewell {

namespace {
// What stands in for the shell's "no program registered" when the desktop refuses.
constexpr int kOpenRefused = 31;
}  // namespace

DeviceInfoReport::DeviceInfoReport(ErrorReporter& errors, DocumentOpener& opener,
                                   const InterfaceDiscovery& discovery, const InterfaceTable& table,
                                   DeviceWorker& worker)
    : errors_(errors), opener_(opener), discovery_(discovery), table_(table), worker_(worker) {}

void DeviceInfoReport::Read(const DeviceTarget& device, std::function<void()> then,
                            std::function<void()> after) {
    report_.clear();
    const TReportSource source{device.Host, device.Community, discovery_.Uptime(),
                               discovery_.InterfaceCount()};
    auto report = std::make_shared<QStringList>();
    worker_.Run(
        [device, source, report](const DeviceWorker::Job& job) {
            job.Reader().Aim(device);
            *report = GatherDeviceReport(job.Reader(), source);
        },
        [this, report, then = std::move(then), after = std::move(after)](std::exception_ptr error) {
            RunGuarded(errors_, [&] {
                if (error) {
                    std::rethrow_exception(error);
                }
                report_ = *report;
                then();
            });
            if (after) {
                after();
            }
        });
}

void DeviceInfoReport::Gather(const DeviceTarget& device, std::function<void()> gathered) {
    // Shown whether or not the reading stopped, as the report then is empty.
    Read(
        device, [] {}, std::move(gathered));
}

void DeviceInfoReport::Export(const DeviceTarget& device) {
    Read(device, [this] {
        const QString path = ProgramFolder() + QLatin1String(kDeviceInfoFile);
        WriteDeviceInfoFile(path, FileLines());
        if (!opener_.OpenDocument(path)) {
            throw OperationError(
                QStringLiteral("File open failed with Error: %1: %2 (the desktop found no program "
                               "to open it)")
                    .arg(kOpenRefused)
                    .arg(path));
        }
    });
}

QStringList DeviceInfoReport::FileLines() const {
    return DeviceInfoFileLines(report_, table_.ExportLines());
}

}  // namespace pulsewell
