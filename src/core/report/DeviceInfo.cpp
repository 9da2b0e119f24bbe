#include "DeviceReport.h"
#include "Monitor.h"
#include "ProgramFolder.h"

namespace pulsewell {

namespace {
// What stands in for the shell's "no program registered" when the desktop refuses.
constexpr int kOpenRefused = 31;
}  // namespace

void Monitor::GatherDeviceInfo() {
    Guarded([this] { Gather(); });
}

void Monitor::Gather() {
    deviceReport_.clear();
    TargetDevice();
    deviceReport_ = GatherDeviceReport(
        reader_, {state_.Host, state_.Community, discoveryUptime_, interfaceCount_});
}

QStringList Monitor::DeviceInfoLines() const {
    return DeviceInfoFileLines(deviceReport_, table_.ExportLines());
}

void Monitor::ExportDeviceInfo() {
    Guarded([this] {
        Gather();
        const QString path = ProgramFolder() + QLatin1String(kDeviceInfoFile);
        WriteDeviceInfoFile(path, DeviceInfoLines());
        if (!view_.OpenDocument(path)) {
            throw OperationError(
                QStringLiteral("File open failed with Error: %1").arg(kOpenRefused));
        }
    });
}

}  // namespace pulsewell
