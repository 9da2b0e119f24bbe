#pragma once

#include <QDateTime>
#include <QString>

#include "core/polling/TrafficSample.h"

namespace pulsewell {

// What a poll's log entries name and how they show its sample.
struct LogSubject {
    QString Host;
    // The chosen interface, which names the files.
    QString InterfaceNumber;
    QString Bandwidth;
    bool ShowBytes = false;
    // The sample's counters are 64-bit ones.
    bool WideCounters = false;
    // The sample has rates to log (HasRates).
    bool Measured = false;
};

// The two optional per-host logs in the program's folder. Every call opens,
// appends and closes; a missing file is created with its header first. An
// I/O error, or a host text that would name a file outside the folder,
// throws OperationError and writes nothing further.
QString TrafficLogPath(const QString& folder, const LogSubject& subject);
QString DebugLogPath(const QString& folder, const LogSubject& subject);

void WriteTrafficLogEntry(const QString& folder, const LogSubject& subject,
                          const TTrafficSample& sample, const QDateTime& pollTime);

// lastMessage is the message list's last line at the time of writing; it
// decides the wrap and substitution notes.
void WriteDebugLogEntry(const QString& folder, const LogSubject& subject,
                        const TTrafficSample& sample, const QDateTime& pollTime,
                        const QString& lastMessage);

}  // namespace pulsewell
