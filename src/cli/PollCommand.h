#pragma once

#include "CliArguments.h"
#include "DeviceReader.h"

namespace pulsewell::cli {

// Polls like "&Start polling" until the count is reached (exit code 0),
// polling stops by error (1) or SIGINT/SIGTERM arrives (0). Runs the event
// loop of the QCoreApplication that must exist.
int RunPoll(const PollOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
