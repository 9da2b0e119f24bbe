#!/usr/bin/env bash
# Counts the instructions of one poll: pulsewell-cli polls a private loopback
# agent POLLS times (default 10) under callgrind, collecting only inside
# Monitor::PollOnce, and prints the instructions per poll.
set -euo pipefail
polls=${1:-10}
source "$(dirname "$0")/bench-agent.sh"
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
    --toggle-collect='pulsewell::Monitor::PollOnce()' \
    "$cli" poll --host "$agent_address" --community public --interface 1 \
    --interval 1 --count "$polls" >/dev/null 2>"$work/valgrind.log"
callgrind_annotate "$work/callgrind.out" >"$work/annotate.txt"
# PULSEWELL_CALLGRIND_TOP=1 also shows where the instructions go.
if [ -n "${PULSEWELL_CALLGRIND_TOP:-}" ]; then head -n 40 "$work/annotate.txt"; fi
total=$(awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }' "$work/annotate.txt")
echo "instructions: $total in $polls polls, $((total / polls)) per poll"
