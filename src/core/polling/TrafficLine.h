#pragma once

#include <QDateTime>
#include <QString>

#include "core/polling/TrafficSample.h"

namespace pulsewell {

// "; IN bits/s: 1200000; OUT bits/s: 300000; utilization: 15.00 %" (or the
// bytes form): the part that the message list and the traffic log share.
QString TrafficFigures(const TTrafficSample& sample, bool showBytes);

// The message list's line: "07.Dec.2026, 14:03:09" plus the figures, with the
// locale's short month name (without a dot of its own: "08.Dez.2026").
QString TrafficMessageLine(const QDateTime& pollTime, const TTrafficSample& sample, bool showBytes);

// "dd.mm.yyyy, hh:mm:ss", the time stamp of every log line.
QString LogTimestamp(const QDateTime& pollTime);

}  // namespace pulsewell
