#!/usr/bin/env bash
# Runs the window (offscreen) with a start profile that polls a private
# loopback agent every 3 seconds for SECONDS (default 900, past the 230 points
# the graph keeps) and reports its resident memory at 60 s and at the end and
# its CPU time per poll in between, from /proc. The agent's own count of
# received packets tells how many polls really went out (a poll asks for its
# two counters in two requests). Goal: no growth once the graph is full; the
# CPU time includes the countdown's ticks and the graph's redraws.
set -euo pipefail
seconds=${1:-900}
source "$(dirname "$0")/bench-agent.sh"
window=build/src/app/pulsewell
[ -x "$window" ] || scripts/build.sh build >/dev/null
trap 'kill "$pid" 2>/dev/null || true; cleanup_work' EXIT

printf '[Details]\nIP=%s\ncommunity=public\nbandwidth=10000000\nInterface=1\ninterval=3\n' "$agent_address" \
    >"$work/home/soak.ini"
received() {  # the agent's snmpInPkts, less the request that reads it
    snmpget -v1 -c public -Oqv "udp:$agent_address" 1.3.6.1.2.1.11.1.0
}
sample() {  # -> "rss_kib cpu_ticks"
    echo "$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")" \
        "$(awk '{ print $14 + $15 }' "/proc/$pid/stat")"
}

QT_QPA_PLATFORM=offscreen "$window" soak.ini >"$work/window.log" 2>&1 &
pid=$!
sleep 60
read -r rss0 cpu0 < <(sample)
packets0=$(received)
sleep $((seconds - 60))
read -r rss1 cpu1 < <(sample)
packets1=$(received)
polls=$(((packets1 - packets0 - 1) / 2))
[ "$polls" -gt 0 ] || { echo "the window sent no polls: $(cat "$work/window.log")"; exit 1; }
awk -v r0="$rss0" -v r1="$rss1" -v c0="$cpu0" -v c1="$cpu1" -v hz="$(getconf CLK_TCK)" \
    -v n="$polls" -v s="$seconds" 'BEGIN {
    printf "%d polls between 60 s and %d s\n", n, s
    printf "resident memory: %d KiB at 60 s, %d KiB at %d s, growth %d KiB\n", r0, r1, s, r1 - r0
    printf "CPU time: %.3f ms per poll\n", (c1 - c0) * 1000 / hz / n
}'
