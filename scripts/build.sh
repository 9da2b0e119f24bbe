#!/usr/bin/env bash
# Configures and builds Pulsewell into build/ (or the folder given as $1);
# further arguments go to CMake's configure step, and those after "--" name
# the targets to build (all of them without).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    options+=("$1")
    shift
done
[ $# -eq 0 ] || shift
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
# A new tree gets Ninja where it is installed; a tree keeps its generator.
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    options=(-G Ninja "${options[@]}")
fi
cmake -S . -B "$dir" "${options[@]}"
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
