#pragma once

#include "cli/CliArguments.h"
#include "core/device/DeviceReader.h"

namespace pulsewell::cli {

// Sweeps every interface of the host at the interval until --count sweeps
// or a stop signal; the exit code is 0 when a sweep got an answer, else 1.
int RunTop(const TopOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
