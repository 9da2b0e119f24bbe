#!/usr/bin/env bash
# Counts the instructions of one poll: pulsewell-cli polls a private loopback
# agent POLLS times (default 10), then twice as often, under callgrind; the
# difference of the two whole runs divided by POLLS is one poll's share of
# everything the program does (both threads, the event loop, the output),
# whatever part of the program does it. CLI overrides the program measured.
# Usage: bench/poll-callgrind.sh [POLLS] [MODE]
# MODE (default v1): v1, v2c, or SNMPv3 as one of the test agent's users has
# it: noAuthNoPriv, authNoPriv:SHA, authPriv:SHA:AES, authPriv:MD5:DES,
# authPriv:SHA-512:AES-256. The engine's discovery and the keys' derivation
# happen once in either run, so the difference leaves them out.
set -euo pipefail
polls=${1:-10}
mode=${2:-v1}
case $mode in
    v1) asking=(--community public --snmp-version 1) ;;
    v2c) asking=(--community public --snmp-version 2c) ;;
    noAuthNoPriv) asking=(--user v3noauth) ;;
    authNoPriv:SHA) asking=(--user v3sha --auth-protocol SHA) ;;
    authPriv:SHA:AES) asking=(--user v3aes --auth-protocol SHA --priv-protocol AES) ;;
    authPriv:MD5:DES) asking=(--user v3des --auth-protocol MD5 --priv-protocol DES) ;;
    authPriv:SHA-512:AES-256)
        asking=(--user v3aes256sha512 --auth-protocol SHA-512 --priv-protocol AES-256) ;;
    *) echo "unknown mode $mode" >&2; exit 2 ;;
esac
export PULSEWELL_AUTH_PASSPHRASE=pulsewell-auth PULSEWELL_PRIV_PASSPHRASE=pulsewell-priv
source "$(dirname "$0")/bench-agent.sh"
cli=${CLI:-$cli}
count() {  # polls -> instructions of the whole run
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
        "$cli" poll --host "$agent_address" --interface 1 --interval 1 --count "$1" \
        "${asking[@]}" >/dev/null 2>"$work/valgrind.log"
    callgrind_annotate "$work/callgrind.out" >"$work/annotate.txt"
    awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }' "$work/annotate.txt"
}
short=$(count "$polls")
long=$(count $((2 * polls)))
# PULSEWELL_CALLGRIND_TOP=1 also shows where the instructions of the longer run go.
if [ -n "${PULSEWELL_CALLGRIND_TOP:-}" ]; then head -n 40 "$work/annotate.txt"; fi
echo "$mode: instructions: $short in $polls polls, $long in $((2 * polls));" \
    "$(((long - short) / polls)) per poll"
