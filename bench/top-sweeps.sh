#!/usr/bin/env bash
# Measures `pulsewell-cli top` over SNMPv2c against a synthetic recording of
# N interfaces (default 1000, make-interfaces-recording.sh) served by snmpsim:
#   requests: datagrams sent (strace) by `snmpbulkwalk -v2c` with default
#     settings for the seven columns a sweep reads every time, and by top for
#     one sweep and for 1+SWEEPS sweeps (default 3): the difference is a
#     sweep's share, the names of the first sweep left out;
#   time: wall time of the same runs, a sweep's share beside its requests at
#     the query component's 20 a second;
#   instructions (MODE callgrind): the whole program under callgrind for 2
#     and 2+SWEEPS sweeps, the difference per interface and sweep;
#   memory (MODE memory): resident memory after sweep 2 and after sweep
#     2+SWEEPS, and against a recording of N/10 interfaces at the same sweep;
#   soak (MODE soak): resident memory and CPU time once a minute while top
#     sweeps for SWEEPS minutes (a sweep of 1,000 interfaces takes 6 s).
# Usage: bench/top-sweeps.sh [MODE] [N] [SWEEPS]   MODE: requests (default),
# callgrind, memory, soak. INTERFACES=PATTERN passes --interfaces to top: a name
# no interface has (INTERFACES=none) sweeps every interface and writes no
# record, which parts the sweep from the records in callgrind's count.
# HISTORY=no switches the history of the readings off (historyrecording), so
# that the difference of two callgrind runs is the history's share.
# INTERVAL=SECONDS (default 1) sweeps at that interval: the history writes a
# minute when a sweep of the next one ends, so callgrind's runs should span
# one (SWEEPS=10: a sweep of 1,000 interfaces takes 6 s, so ten sweeps and one
# minute written).
# FORMAT=json or FORMAT=text writes those instead of CSV records.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-requests}
count=${2:-1000}
sweeps=${3:-3}
cli=${PULSEWELL_CLI:-build/src/cli/pulsewell-cli}
[ -x "$cli" ] || scripts/build.sh build >/dev/null
work=$(mktemp -d)
chmod a+rx "$work"  # snmpsimd runs as nobody when started by root
cleanup() {
    tests/agent/stop-simulator.sh "$work/simulator" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
small=$((count / 10))
bench/make-interfaces-recording.sh "$work/interfaces_$count.snmprec" "$count"
bench/make-interfaces-recording.sh "$work/interfaces_$small.snmprec" "$small"
tests/agent/start-simulator.sh "$work/simulator" "$work/interfaces_$count.snmprec" \
    "$work/interfaces_$small.snmprec" >/dev/null
address=$(cat "$work/simulator/address")
mkdir -p "$work/home/config"
export PULSEWELL_HOME=$work/home XDG_CONFIG_HOME=$work/home/config
export SNMP_PERSISTENT_DIR=$work/net-snmp MIBS=
if [ "${HISTORY:-yes}" = no ]; then
    mkdir -p "$work/home/config/Tarnwick"
    printf '[General]\nhistoryrecording=no\n' >"$work/home/config/Tarnwick/Pulsewell.conf"
fi

run_top() {  # recording sweeps [wrapper...]
    local recording=$1 n=$2
    shift 2
    "$@" "$cli" top --host "$address" --community "$recording" --snmp-version 2c \
        --interval "${INTERVAL:-1}" --count "$n" --format "${FORMAT:-csv}" \
        ${INTERFACES:+--interfaces "$INTERFACES"} \
        >"$work/top.csv"
}
strace_sends() {
    strace -f -qq -e trace=sendto,sendmsg -o "$work/trace" "$@" >/dev/null
}
sent() {  # command... -> datagrams it sent
    "$@" strace_sends
    grep -cE '^[0-9]+ +(sendto|sendmsg)\(' "$work/trace"
}
walk_column() {  # column [wrapper...]
    local column=$1
    shift
    "$@" snmpbulkwalk -v2c -c "interfaces_$count" -On "$address" ".1.3.6.1.2.1.$column" >/dev/null
}
seconds() {  # command... -> wall seconds
    local start
    start=$(date +%s%N)
    "$@" >/dev/null
    awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.2f", ns / 1e9 }'
}

case $mode in
requests)
    walk=0
    for column in 31.1.1.1.6 31.1.1.1.10 2.2.1.14 2.2.1.20 2.2.1.13 2.2.1.19 2.2.1.8; do
        n=$(sent walk_column "$column")
        walk=$((walk + n))
    done
    one=$(sent run_top "interfaces_$count" 1)
    more=$(sent run_top "interfaces_$count" $((1 + sweeps)))
    per=$(((more - one) / sweeps))
    t1=$(seconds run_top "interfaces_$count" 1)
    t2=$(seconds run_top "interfaces_$count" $((1 + sweeps)))
    awk -v n="$count" -v walk="$walk" -v one="$one" -v per="$per" -v t1="$t1" -v t2="$t2" \
        -v s="$sweeps" 'BEGIN {
        printf "snmpbulkwalk -v2c, seven columns of %d interfaces: %d requests\n", n, walk
        printf "top: first sweep %d requests (names included), then %d a sweep: %.2f of the walk (goal 0.20)\n", one, per, per / walk
        sweep = (t2 - t1) / s
        printf "top: %.2f s a sweep, its requests at 20/s %.2f s: %.2f times (goal 1.10)\n", sweep, per / 20, sweep / (per / 20)
    }'
    ;;
callgrind)
    instructions() {  # sweeps -> instructions of the whole run
        # Each run starts a history file of its own, so that both create the
        # series and the difference holds only sweeps and their minutes.
        rm -f "$work/home/history.sqlite"*
        run_top "interfaces_$count" "$1" valgrind --tool=callgrind \
            --callgrind-out-file="$work/callgrind.out" 2>"$work/valgrind.log"
        callgrind_annotate "$work/callgrind.out" | awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }'
    }
    short=$(instructions 2)
    long=$(instructions $((2 + sweeps)))
    echo "instructions: $short in 2 sweeps, $long in $((2 + sweeps));" \
        "$(((long - short) / sweeps / count)) per interface and sweep (goal 5000)"
    ;;
memory)
    rss_after() {  # recording sweep -> resident KiB once that sweep's records are out
        local recording=$1 sweep=$2 rows pid rss
        rows=${recording#interfaces_}
        "$cli" top --host "$address" --community "$recording" --snmp-version 2c --interval 1 \
            --count $((sweep + 1)) --format csv >"$work/rss.csv" &
        pid=$!
        while [ "$(($(wc -l <"$work/rss.csv") - 1))" -lt $((rows * sweep)) ]; do sleep 0.05; done
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
        wait "$pid"
        echo "$rss"
    }
    early=$(rss_after "interfaces_$count" 2)
    late=$(rss_after "interfaces_$count" $((2 + sweeps)))
    fewer=$(rss_after "interfaces_$small" 2)
    awk -v n="$count" -v m="$small" -v a="$early" -v b="$late" -v f="$fewer" -v s="$sweeps" 'BEGIN {
        printf "resident memory, %d interfaces: %d KiB after sweep 2, %d KiB after sweep %d (growth %d KiB)\n", n, a, b, 2 + s, b - a
        printf "%d interfaces: %d KiB after sweep 2: %.2f KiB per interface (goal 2)\n", m, f, (a - f) / (n - m)
    }'
    ;;
soak)
    # exec: the background job is top itself, whose /proc entries are read.
    run_top "interfaces_$count" 1000000 exec &
    pid=$!
    ticks=$(getconf CLK_TCK)
    for minute in $(seq 1 "$sweeps"); do
        sleep 60
        awk -v m="$minute" -v hz="$ticks" -v rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")" \
            '{ printf "minute %d: %d KiB resident, %.1f s CPU\n", m, rss, ($14 + $15) / hz }' \
            "/proc/$pid/stat"
    done
    kill -INT "$pid"
    wait "$pid" || true
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac
