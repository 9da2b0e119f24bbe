#pragma once

#include <QString>

namespace pulsewell::test {

// The pulsewell-cli of this build, as the tests' environment names it.
inline QString CliProgram() {
    return qEnvironmentVariable("PULSEWELL_CLI");
}

}  // namespace pulsewell::test
