#pragma once

#include "cli/CliArguments.h"
#include "core/device/DeviceReader.h"

namespace pulsewell::cli {

// "&First contact" without a window: prints the interface table as the
// device report exports it. Exit code 0 with at least one interface, 1 when
// discovery failed or found none (the rows found before a failure are still
// printed).
int RunDiscover(const DiscoverOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
