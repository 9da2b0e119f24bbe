#!/usr/bin/env bash
# Counts the instructions of one poll: pulsewell-cli polls a private loopback
# agent POLLS times (default 10) under callgrind, collecting only inside
# Monitor::PollOnce, and prints the instructions per poll.
set -euo pipefail
cd "$(dirname "$0")/.."
polls=${1:-10}
cli=build/src/cli/pulsewell-cli
[ -x "$cli" ] || scripts/build.sh build >/dev/null
work=$(mktemp -d)
trap 'tests/agent/stop-agent.sh "$work/agent" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
tests/agent/start-agent.sh "$work/agent" >/dev/null
mkdir -p "$work/home/config"
export PULSEWELL_HOME=$work/home XDG_CONFIG_HOME=$work/home/config
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
    --toggle-collect='pulsewell::Monitor::PollOnce()' \
    "$cli" poll --host "$(cat "$work/agent/address")" --community public --interface 1 \
    --interval 1 --count "$polls" >/dev/null 2>"$work/valgrind.log"
callgrind_annotate "$work/callgrind.out" >"$work/annotate.txt"
if [ -n "${PULSEWELL_CALLGRIND_TOP:-}" ]; then head -n 40 "$work/annotate.txt"; fi
total=$(cat "$work/annotate.txt" | awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }')
echo "instructions: $total in $polls polls, $((total / polls)) per poll"
