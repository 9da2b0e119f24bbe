#include "DeviceReport.h"

#include <QFile>
#include <QRegularExpression>

#include "InterfaceCells.h"
#include "NumberText.h"
#include "OperationError.h"

namespace pulsewell {

namespace {

const QString kSysDescr = QStringLiteral("1.3.6.1.2.1.1.1.0");
const QString kSysObjectId = QStringLiteral("1.3.6.1.2.1.1.2.0");
const QString kSysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
const QString kSysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
const QString kSysServices = QStringLiteral("1.3.6.1.2.1.1.7.0");

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
        QString value;
        reader.ReadOneValue(oid, source.Community, source.Host, value);
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
    QString services;
    reader.ReadOneValue(kSysServices, source.Community, source.Host, services);
    report.append(QStringLiteral("System services: ") + services);
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
