#!/usr/bin/env bash
# Runs pulsewell-cli poll against a private loopback agent every second and
# reports resident memory at poll 60 and at poll POLLS (default 600) and the
# CPU time per poll between them, from /proc. Goals: growth under 1 MiB,
# under 2 ms of CPU a poll.
set -euo pipefail
polls=${1:-600}
source "$(dirname "$0")/bench-agent.sh"
trap 'kill "$pid" 2>/dev/null || true; cleanup_work' EXIT

# One more poll than measured, so that the process still runs at the last sample.
"$cli" poll --host "$agent_address" --community public --interface 1 \
    --interval 1 --count $((polls + 1)) >"$work/out" 2>/dev/null &
pid=$!
ticks=$(getconf CLK_TCK)

# Poll n has printed traffic line n-1 (the first poll only sets the baseline).
sample() {  # poll -> "rss_kib cpu_ticks"
    while [ "$(wc -l <"$work/out")" -lt $(($1 - 1)) ]; do sleep 0.05; done
    local rss cpu
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    cpu=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    echo "$rss $cpu"
}
read -r rss60 cpu60 < <(sample 60)
read -r rssN cpuN < <(sample "$polls")
wait "$pid"
awk -v r0="$rss60" -v r1="$rssN" -v c0="$cpu60" -v c1="$cpuN" -v hz="$ticks" -v n="$polls" 'BEGIN {
    printf "resident memory: %d KiB at poll 60, %d KiB at poll %d, growth %d KiB\n", r0, r1, n, r1 - r0
    printf "CPU time: %.3f ms per poll over polls 60 to %d\n", (c1 - c0) * 1000 / hz / (n - 60), n
}'
