#pragma once

#include "cli/CliArguments.h"

namespace pulsewell::cli {

// The stored readings of one interface, from the program's history file.
// Exit code 0, or 1 when the file holds nothing for the interface or cannot
// be read.
int RunHistory(const HistoryOptions& options);
// One billing month of one interface: volumes, average, maximum, 95th
// percentile, busiest hour and the daily volumes. Exit codes as RunHistory.
int RunReport(const ReportOptions& options);

}  // namespace pulsewell::cli
