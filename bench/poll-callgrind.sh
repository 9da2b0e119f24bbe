#!/usr/bin/env bash
# Counts the instructions of one poll: pulsewell-cli polls a private loopback
# agent POLLS times (default 10), then twice as often, under callgrind; the
# difference of the two whole runs divided by POLLS is one poll's share of
# everything the program does (both threads, the event loop, the output),
# whatever part of the program does it. CLI overrides the program measured.
set -euo pipefail
polls=${1:-10}
source "$(dirname "$0")/bench-agent.sh"
cli=${CLI:-$cli}
count() {  # polls -> instructions of the whole run
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
        "$cli" poll --host "$agent_address" --community public --interface 1 \
        --interval 1 --count "$1" >/dev/null 2>"$work/valgrind.log"
    callgrind_annotate "$work/callgrind.out" >"$work/annotate.txt"
    awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }' "$work/annotate.txt"
}
short=$(count "$polls")
long=$(count $((2 * polls)))
# PULSEWELL_CALLGRIND_TOP=1 also shows where the instructions of the longer run go.
if [ -n "${PULSEWELL_CALLGRIND_TOP:-}" ]; then head -n 40 "$work/annotate.txt"; fi
echo "instructions: $short in $polls polls, $long in $((2 * polls)); $(((long - short) / polls)) per poll"
