#include "DeviceReport.h"

#include <QFile>
#include <QRegularExpression>

#include "DeviceObjects.h"
#include "InterfaceCells.h"
#include "NumberText.h"
#include "OperationError.h"

namespace pulsewell {

namespace {

using namespace objects;

constexpr std::int64_t kTicksPerSecond = 100;
constexpr std::int64_t kTicksPerMinute = 60 * kTicksPerSecond;
constexpr std::int64_t kTicksPerHour = 60 * kTicksPerMinute;
constexpr std::int64_t kTicksPerDay = 24 * kTicksPerHour;

}  // namespace

QString UptimeLine(const QString& ticks) {
    const std::int64_t t = ParseInt64(ticks);
    return QStringLiteral("System uptime: %1 ticks (%2 days, %3 hours, %4 minutes, %5 seconds)")
        .arg(IntegerText(t), IntegerText(t / kTicksPerDay), IntegerText(t / kTicksPerHour % 24),
             IntegerText(t / kTicksPerMinute % 60), IntegerText(t / kTicksPerSecond % 60));
}

QStringList ReportValueLines(const QString& value) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return TrimmedText(DeviceText(value)).split(lineBreak);
}

QStringList GatherDeviceReport(DeviceReader& reader, const TReportSource& source) {
    QStringList report;
    const auto add = [&](const QString& caption, const QString& oid) {
        const QString value =
            reader.ReadOneValue(oid, source.Community, source.Host).value_or(QString());
        report.append(caption);
        report.append(ReportValueLines(value));
    };
    add(QStringLiteral("System description: "), kSysDescr);
    add(QStringLiteral("System Name: "), kSysName);
    add(QStringLiteral("System object ID: "), kSysObjectId);
    report.append(QStringLiteral("System IP address: "));
    report.append(source.Host);
    add(QStringLiteral("System location: "), kSysLocation);
    add(QStringLiteral("System contact: "), kSysContact);
    report.append(UptimeLine(source.DiscoveryUptime));
    report.append(QStringLiteral("Number of interfaces: ") + source.InterfaceCount);
    report.append(QStringLiteral("System services: ") +
                  reader.ReadOneValue(kSysServices, source.Community, source.Host)
                      .value_or(QString()));
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
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        throw FileError(path, file.errorString());
    }
}

}  // namespace pulsewell
