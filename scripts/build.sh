#!/usr/bin/env bash
# Configures and builds Pulsewell into build/ (or the folder given as $1);
# further arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" "$@"
cmake --build "$dir" -j "$(nproc)"
