#pragma once

#include "cli/CliArguments.h"
#include "core/device/DeviceReader.h"

namespace pulsewell::cli {

// "&First contact", then the device report, printed as "Export device info"
// writes device_info.txt. Exit codes as for discover: 0 with at least one
// interface, 1 when discovery failed or found none.
int RunInfo(const DiscoverOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
