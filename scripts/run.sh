#!/usr/bin/env bash
# Installs what Pulsewell needs, builds it and starts the program; arguments
# (for example a start profile name) go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build >/dev/null
exec build/src/app/pulsewell "$@"
