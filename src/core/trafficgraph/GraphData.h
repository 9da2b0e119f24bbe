#pragma once

#include <QString>

#include "core/trafficgraph/TrafficGraph.h"

namespace pulsewell {

// The samples the graph shows as CSV, one row per poll, oldest first: the
// poll's time, the host and interface polled, input and output per second in
// the unit shown, and the utilization in percent; in the forms of the
// command line's records (RecordFields.h), CR LF line ends. A poll whose
// input or output sample was not taken leaves that field empty.
QString GraphDataCsv(const TrafficGraph& graph, const QString& host, const QString& interface);

// Writes GraphDataCsv to `path`; a file that cannot be written fails with FileError.
void WriteGraphData(const QString& path, const TrafficGraph& graph, const QString& host,
                    const QString& interface);
// Writes `csv` to `path` whole or not at all; failing with FileError.
void WriteCsvFile(const QString& path, const QString& csv);

// What the saved picture carries under the graph: host, interface, unit and
// the times of the first and last poll it shows; empty times without polls.
QString GraphPictureCaption(const TrafficGraph& graph, const QString& host,
                            const QString& interface);

}  // namespace pulsewell
