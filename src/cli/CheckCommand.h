#pragma once

#include "cli/CheckVerdict.h"
#include "cli/CliArguments.h"
#include "core/device/DeviceReader.h"

namespace pulsewell::cli {

// A monitoring plugin's check of the interface's utilization: two readings
// `interval` seconds apart, judged against the thresholds. Prints nothing;
// the verdict's line is the output.
CheckVerdict RunCheck(const CheckOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
