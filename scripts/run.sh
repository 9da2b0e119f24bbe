#!/usr/bin/env bash
# Installs what building and running Pulsewell needs, builds the two programs
# (no tests, no benchmarks) into build-run/ and starts the window; arguments
# (for example a start profile name) go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh build-run -DBUILD_TESTING=OFF -DPULSEWELL_BENCH=OFF -- pulsewell pulsewell-cli >/dev/null
exec build-run/src/app/pulsewell "$@"
