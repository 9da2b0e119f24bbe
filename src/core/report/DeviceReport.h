#pragma once

#include <QString>
#include <QStringList>

#include "core/device/DeviceReader.h"

// The device report: the system group, the host and what the last discovery
// recorded, one value a line, and the file that exports it with the table.
namespace pulsewell {

// What the report needs besides the device: the host it was asked about and
// the two values the last discovery kept, as decimal text.
struct TReportSource {
    QString Host;
    QString Community;
    QString DiscoveryUptime;
    QString InterfaceCount;
};

// The export's file name in the program's folder.
inline constexpr char kDeviceInfoFile[] = "device_info.txt";

// "System uptime: T ticks (D days, H hours, M minutes, S seconds)" for T
// hundredths of a second, "System uptime: unknown" for an empty text. Raises
// ConversionError if ticks is no number.
QString UptimeLine(const QString& ticks);

// A value as the report shows it: the device's bytes read in the user's
// locale (byte for byte when they are not valid there), blanks and control
// characters trimmed at both ends, and one VisibleLines line per line.
QStringList ReportValueLines(const QString& value);

// Gathers the report with six one-shot reads: description, name, object ID,
// location, contact, services. The first read without an answer raises
// OperationError naming the object. Device texts are VisibleText.
QStringList GatherDeviceReport(DeviceReader& reader, const TReportSource& source);

// The content of device_info.txt: the report, an empty line,
// "Interface information" and the table's lines.
QStringList DeviceInfoFileLines(const QStringList& report, const QStringList& tableLines);

// Creates or replaces the file with the lines in the user's locale, each
// ending in CR LF. Raises FileError when it cannot be written, which leaves
// an earlier file as it was.
void WriteDeviceInfoFile(const QString& path, const QStringList& lines);

}  // namespace pulsewell
