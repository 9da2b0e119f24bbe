#include "core/report/DeviceReport.h"

#include <QSaveFile>

#include "core/OperationError.h"
#include "core/device/DeviceObjects.h"
#include "core/discovery/InterfaceCells.h"
#include "core/numbers/NumberText.h"
#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {

using namespace objects;

constexpr std::int64_t kTicksPerSecond = 100;
constexpr std::int64_t kTicksPerMinute = 60 * kTicksPerSecond;
constexpr std::int64_t kTicksPerHour = 60 * kTicksPerMinute;
constexpr std::int64_t kTicksPerDay = 24 * kTicksPerHour;

}  // namespace

QString UptimeLine(const QString& ticks) {
    if (ticks.isEmpty()) {
        return QStringLiteral("System uptime: unknown");
    }
    const std::int64_t t = ParseInt64(ticks);
    return QStringLiteral("System uptime: %1 ticks (%2 days, %3 hours, %4 minutes, %5 seconds)")
        .arg(IntegerText(t), IntegerText(t / kTicksPerDay), IntegerText(t / kTicksPerHour % 24),
             IntegerText(t / kTicksPerMinute % 60), IntegerText(t / kTicksPerSecond % 60));
}

QStringList ReportValueLines(const QString& value) {
    return VisibleLines(TrimmedText(DeviceText(value)));
}

QStringList GatherDeviceReport(DeviceReader& reader, const TReportSource& source) {
    // A report of blanks would pass for what the device says; the first
    // silence ends it, before five more time-outs.
    const auto read = [&](const QString& caption, const QString& oid) {
        const std::optional<QString> value =
            reader.ReadOneValue(oid, source.Community, source.Host);
        if (!value) {
            throw OperationError(QStringLiteral("Failure contacting device! No answer for %1 (%2).")
                                     .arg(caption.trimmed().chopped(1), oid));
        }
        return *value;
    };
    QStringList report;
    const auto add = [&](const QString& caption, const QString& oid) {
        const QString value = read(caption, oid);
        report.append(caption);
        report.append(ReportValueLines(value));
    };
    add(QStringLiteral("System description: "), kSysDescr);
    add(QStringLiteral("System Name: "), kSysName);
    add(QStringLiteral("System object ID: "), kSysObjectId);
    report.append(QStringLiteral("System IP address: "));
    report.append(VisibleText(source.Host));
    add(QStringLiteral("System location: "), kSysLocation);
    add(QStringLiteral("System contact: "), kSysContact);
    report.append(UptimeLine(source.DiscoveryUptime));
    report.append(QStringLiteral("Number of interfaces: ") + VisibleText(source.InterfaceCount));
    const QString services = QStringLiteral("System services: ");
    report.append(services + VisibleText(read(services, kSysServices)));
    return report;
}

QStringList DeviceInfoFileLines(const QStringList& report, const QStringList& tableLines) {
    return report + QStringList{QString(), QStringLiteral("Interface information")} + tableLines;
}

void WriteDeviceInfoFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLocal8Bit() + "\r\n";
    }
    // The earlier export stays until this one is whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(path, file.errorString());
    }
}

}  // namespace pulsewell
