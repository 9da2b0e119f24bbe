#pragma once

#include <QDateTime>
#include <QString>

#include "core/MonitorState.h"
#include "core/polling/TrafficSample.h"

namespace pulsewell {

// The two optional per-host logs in the program's folder. Every call opens,
// appends and closes; a missing file is created with its header first. An
// I/O error, or a host text that would name a file outside the folder,
// throws OperationError and writes nothing further.
QString TrafficLogPath(const QString& folder, const TMonitorState& state);
QString DebugLogPath(const QString& folder, const TMonitorState& state);

void WriteTrafficLogEntry(const QString& folder, const TMonitorState& state,
                          const TTrafficSample& sample, const QDateTime& pollTime);

// lastMessage is the message list's last line at the time of writing; it
// decides the wrap and substitution notes.
void WriteDebugLogEntry(const QString& folder, const TMonitorState& state,
                        const TTrafficSample& sample, const QDateTime& pollTime,
                        const QString& lastMessage);

}  // namespace pulsewell
