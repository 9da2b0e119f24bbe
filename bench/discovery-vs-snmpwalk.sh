#!/usr/bin/env bash
# Times `pulsewell-cli discover` beside Net-SNMP's walk of the whole ifTable
# (`snmpwalk -v1`, or `snmpbulkwalk -v2c` with VERSION 2c), both against one
# recording served by snmpsim (tests/agent/start-simulator.sh), in ROUNDS
# rounds whose order alternates, and prints the median of the rounds' ratios
# (discover / walk), which holds up on a busy machine better than one long run.
# Usage: bench/discovery-vs-snmpwalk.sh [ROUNDS] [RECORDING] [VERSION]
# (default 9 rounds of cisco_16_switch, a Catalyst 3750 with 59 interfaces,
# over SNMPv1). RECORDING interfaces_N is made by make-interfaces-recording.sh
# with N interfaces.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
recording=${2:-cisco_16_switch}
version=${3:-1}
cli=${PULSEWELL_CLI:-build/src/cli/pulsewell-cli}  # another build to compare
[ -x "$cli" ] || scripts/build.sh build >/dev/null
work=$(mktemp -d)
chmod a+rx "$work"  # snmpsimd runs as nobody when started by root
cleanup() {
    tests/agent/stop-simulator.sh "$work/simulator" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
extra=()
if [[ $recording =~ ^interfaces_([0-9]+)$ ]]; then
    bench/make-interfaces-recording.sh "$work/$recording.snmprec" "${BASH_REMATCH[1]}"
    extra=("$work/$recording.snmprec")
fi
tests/agent/start-simulator.sh "$work/simulator" "${extra[@]}" >/dev/null
address=$(cat "$work/simulator/address")
mkdir -p "$work/home/config"
export PULSEWELL_HOME=$work/home XDG_CONFIG_HOME=$work/home/config
export SNMP_PERSISTENT_DIR=$work/net-snmp MIBS=

discover() { "$cli" discover --host "$address" --community "$recording" --snmp-version "$version"; }
walk() {
    if [ "$version" = 1 ]; then
        snmpwalk -v1 -c "$recording" -On "$address" .1.3.6.1.2.1.2.2
    else
        snmpbulkwalk -v2c -c "$recording" -On "$address" .1.3.6.1.2.1.2.2
    fi
}

# Milliseconds of one run; its output goes to $work/NAME.
milliseconds() {
    local name=$1 start
    shift
    start=$(date +%s%N)
    "$@" >"$work/$name" 2>"$work/$name.err" || { cat "$work/$name.err" >&2; exit 1; }
    echo $((($(date +%s%N) - start) / 1000000))
}

ratios=()
for round in $(seq "$rounds"); do
    if ((round % 2)); then
        d=$(milliseconds discover discover)
        w=$(milliseconds walk walk)
    else
        w=$(milliseconds walk walk)
        d=$(milliseconds discover discover)
    fi
    ratio=$(awk -v d="$d" -v w="$w" 'BEGIN { printf "%.2f", d / w }')
    ratios+=("$ratio")
    echo "round $round: discover $d ms, walk $w ms, ratio $ratio"
done
echo "$recording at $address: $(($(wc -l <"$work/discover") - 1)) interfaces discovered," \
    "$(wc -l <"$work/walk") ifTable objects walked"
printf '%s\n' "${ratios[@]}" | sort -g | awk '{ r[NR] = $1 }
    END { m = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
          printf "median ratio discover / walk: %.2f (%d rounds, min %.2f, max %.2f)\n", m, NR, r[1], r[NR] }'
