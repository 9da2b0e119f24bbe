#!/usr/bin/env bash
# Instructions of one GET through the query component, SNMPv1 beside SNMPv3
# at each security level, counted by callgrind inside MeasuredGets only (after
# the engine is discovered and the keys derived), against a private loopback
# agent. Usage: bench/v3-callgrind.sh [GETS] (default 200).
set -euo pipefail
gets=${1:-200}
cd "$(dirname "$0")/.."
program=build/bench/snmp_get_count
[ -x "$program" ] || cmake --build build --target snmp_get_count >/dev/null
work=$(mktemp -d)
trap 'tests/agent/stop-agent.sh "$work/agent" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
tests/agent/start-agent.sh "$work/agent" >/dev/null
address=$(cat "$work/agent/address")
base=0
for mode in v1 noAuthNoPriv:MD5:DES authNoPriv:SHA:DES authPriv:SHA:AES authPriv:MD5:DES \
        authPriv:SHA-512:AES-256; do
    valgrind --tool=callgrind --callgrind-out-file="$work/out" \
        --toggle-collect='*MeasuredGets*' "$program" "$address" "$mode" "$gets" \
        >/dev/null 2>"$work/valgrind.log" || { cat "$work/valgrind.log" >&2; exit 1; }
    total=$(callgrind_annotate "$work/out" | awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }')
    per=$((total / gets))
    [ "$base" -eq 0 ] && base=$per
    awk -v m="$mode" -v p="$per" -v b="$base" 'BEGIN { printf "%-24s %8d instructions per GET  %.2f x v1\n", m, p, p / b }'
done
