#include "core/polling/TrafficLogs.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "core/OperationError.h"
#include "core/numbers/NumberText.h"
#include "core/polling/TrafficLine.h"

namespace pulsewell {

namespace {

QString LogPath(const QString& folder, const LogSubject& subject, const QString& suffix) {
    return folder + subject.Host + QStringLiteral("_i") + subject.InterfaceNumber + suffix;
}

// The host and interface texts go into the name as typed; a separator or NUL
// in them would leave the program's folder, so such names are refused.
void RequirePlainName(const QString& folder, const QString& path) {
    const QString name = path.mid(folder.size());
    if (name.contains(u'/') || name.contains(QChar(u'\0'))) {
        throw FileError(path, QStringLiteral("invalid file name"));
    }
}

void AppendLines(const QString& folder, const QString& path, const QString& header,
                 const QStringList& lines) {
    RequirePlainName(folder, path);
    QFile file(path);
    const bool create = !QFileInfo::exists(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (create ? QIODevice::Truncate : QIODevice::Append);
    if (!file.open(mode)) {
        throw FileError(path, file.errorString());
    }
    QByteArray bytes;
    if (create) {
        bytes += header.toLocal8Bit() + "\r\n";
    }
    for (const QString& line : lines) {
        bytes += line.toLocal8Bit() + "\r\n";
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        throw FileError(path, file.errorString());
    }
    file.close();
}

// 64-bit counters are unsigned; their bit pattern is kept in a signed field.
QString CounterText(std::int64_t counter, bool wide) {
    return wide ? QString::number(static_cast<std::uint64_t>(counter)) : IntegerText(counter);
}

QString DebugLine(const QString& stamp, const char* side, const QString& org, std::int64_t bytes,
                  std::int64_t bits, std::int64_t bytesPerSecond, std::int64_t bitsPerSecond,
                  const TTrafficSample& s) {
    const QString key = QString::fromLatin1(side);
    return QStringLiteral(
               "DateTime: %1; org%2 %3; %2byte %4; %2bit %5; %2bytepers %6; "
               "%2bitpers %7; utilbit %8; utilbyte %9")
        .arg(stamp, key, org, IntegerText(bytes), IntegerText(bits), IntegerText(bytesPerSecond),
             IntegerText(bitsPerSecond), FloatText(s.utilbit), FloatText(s.utilbyte));
}

}  // namespace

QString TrafficLogPath(const QString& folder, const LogSubject& subject) {
    return LogPath(folder, subject, QStringLiteral(".log"));
}

QString DebugLogPath(const QString& folder, const LogSubject& subject) {
    return LogPath(folder, subject, QStringLiteral("_debug.log"));
}

void WriteTrafficLogEntry(const QString& folder, const LogSubject& subject,
                          const TTrafficSample& sample, const QDateTime& pollTime) {
    const QString header = QStringLiteral("Host: %1, Interface: %2, Bandwidth: %3")
                               .arg(subject.Host, subject.InterfaceNumber, subject.Bandwidth);
    QStringList lines;
    if (subject.Measured) {
        lines.append(QStringLiteral("DateTime: ") + LogTimestamp(pollTime) +
                     TrafficFigures(sample, subject.ShowBytes));
    }
    AppendLines(folder, TrafficLogPath(folder, subject), header, lines);
}

void WriteDebugLogEntry(const QString& folder, const LogSubject& subject,
                        const TTrafficSample& sample, const QDateTime& pollTime,
                        const QString& lastMessage) {
    const QString header =
        QStringLiteral("Host: %1, Interface: %2").arg(subject.Host, subject.InterfaceNumber);
    const QString stamp = LogTimestamp(pollTime);
    const TTrafficSample& s = sample;
    QStringList lines{
        DebugLine(stamp, "in", CounterText(s.orgin, subject.WideCounters), s.inbyte, s.inbit,
                  s.inbytepers, s.inbitpers, s),
        DebugLine(stamp, "out", CounterText(s.orgout, subject.WideCounters), s.outbyte, s.outbit,
                  s.outbytepers, s.outbitpers, s),
    };
    if (lastMessage.contains(QStringLiteral("wrap around"), Qt::CaseInsensitive)) {
        lines.append(QStringLiteral("Integer wrap around has occurred!"));
    }
    if (lastMessage.contains(QStringLiteral("Sequential error"), Qt::CaseInsensitive)) {
        lines.append(QStringLiteral(
            "No value from host, calculation continues with old value! Sequential error "
            "probable!!"));
    }
    AppendLines(folder, DebugLogPath(folder, subject), header, lines);
}

}  // namespace pulsewell
