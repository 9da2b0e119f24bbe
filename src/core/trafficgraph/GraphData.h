#pragma once

#include <QString>

#include "TrafficGraph.h"

namespace pulsewell {

// The samples the graph shows as CSV, one row per poll, oldest first: the
// poll's local time, input and output per second in the unit shown, and the
// utilization in percent; C-locale numbers, CR LF line ends. A poll whose
// input or output sample was not taken leaves that field empty.
QString GraphDataCsv(const TrafficGraph& graph);

// Writes GraphDataCsv to `path`; a file that cannot be written fails with FileError.
void WriteGraphData(const QString& path, const TrafficGraph& graph);
// Writes `csv` to `path` whole or not at all; failing with FileError.
void WriteCsvFile(const QString& path, const QString& csv);

}  // namespace pulsewell
