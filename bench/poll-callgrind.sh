#!/usr/bin/env bash
# Counts the instructions of one poll: pulsewell-cli polls a private loopback
# agent POLLS times (default 10) under callgrind and prints the instructions
# per poll. Collects inside Monitor::PollOnce and PollCycle::CountersRead on the
# program's thread and inside the reads of the counters on the device thread.
# Usage: bench/poll-callgrind.sh [POLLS] [MODE]
# MODE (default v1): v1, v2c, or SNMPv3 as one of the test agent's users has
# it: noAuthNoPriv, authNoPriv:SHA, authPriv:SHA:AES, authPriv:MD5:DES,
# authPriv:SHA-512:AES-256.
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
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
    --toggle-collect='pulsewell::Monitor::PollOnce()' \
    --toggle-collect='pulsewell::PollCycle::CountersRead(*' \
    --toggle-collect='pulsewell::SnmpDeviceReader::ReadOneValue(*' \
    "$cli" poll --host "$agent_address" --interface 1 --interval 1 --count "$polls" \
    "${asking[@]}" >/dev/null 2>"$work/valgrind.log"
callgrind_annotate ${PULSEWELL_CALLGRIND_INCLUSIVE:+--inclusive=yes} "$work/callgrind.out" >"$work/annotate.txt"
# PULSEWELL_CALLGRIND_TOP=1 also shows where the instructions go.
if [ -n "${PULSEWELL_CALLGRIND_TOP:-}" ]; then head -n 40 "$work/annotate.txt"; fi
total=$(awk '/PROGRAM TOTALS/ { gsub(/,/, "", $1); print $1 }' "$work/annotate.txt")
echo "$mode: instructions: $total in $polls polls, $((total / polls)) per poll"
