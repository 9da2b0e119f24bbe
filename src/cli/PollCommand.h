#pragma once

#include "cli/CliArguments.h"
#include "core/device/DeviceReader.h"

namespace pulsewell::cli {

// Polls like "&Start polling" until the count is reached, polling stops by
// error or SIGINT/SIGTERM arrives, printing lines or records. Exit code 0
// when the device gave at least one reading and polling did not stop by
// error, else 1. Runs the event loop of the QCoreApplication that must exist.
int RunPoll(const PollOptions& options, DeviceReader& reader);

}  // namespace pulsewell::cli
