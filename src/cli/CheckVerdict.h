#pragma once

#include <QString>
#include <cstdint>

#include "core/ProgramDefaults.h"

namespace pulsewell::cli {

// The states of a monitoring plugin, as its exit codes.
enum class CheckState { Ok = 0, Warning = 1, Critical = 2, Unknown = 3 };

// Utilization in percent above which the check warns or is critical.
struct CheckThresholds {
    double warning = defaults::kHighThreshold;
    double critical = 90;
};

// What check prints and exits with: one line, the plugin's output with its
// performance data.
struct CheckVerdict {
    CheckState state;
    QString line;
};

// "PULSEWELL OK - IN 8.00 kbit/s, OUT 24.0 kbit/s, utilization 32.0 % |
// in_bps=8000;;;0 out_bps=24000;;;0 utilization=32.00%;20;30;0;100"
CheckVerdict Judge(std::int64_t inBitsPerSecond, std::int64_t outBitsPerSecond, double utilization,
                   const CheckThresholds& thresholds);
// "PULSEWELL UNKNOWN - " and why, its control characters and "|" escaped
// ("\x0a", "\x7c").
CheckVerdict Unknown(const QString& reason);

// Three significant digits and an SI prefix: "512 bit/s", "24.0 kbit/s".
QString BitRateText(std::int64_t bitsPerSecond);

}  // namespace pulsewell::cli
