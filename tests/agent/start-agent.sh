#!/usr/bin/env bash
# Starts a private snmpd on 127.0.0.1 at a free high port for the tests.
# Usage: start-agent.sh FOLDER
# Writes FOLDER/address ("127.0.0.1:PORT"), FOLDER/snmpd.pid, seeds
# FOLDER/state with two interfaces and FOLDER/persist with the SNMPv3 users of
# v3users.conf; FOLDER/snmpd.log keeps the agent's log.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
dir=$1
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
"$source_dir/stop-agent.sh" "$dir" || true
rm -rf "$dir/state" "$dir/address"
"$source_dir/seed-state.sh" "$dir/state"

for attempt in $(seq 1 20); do
    port=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    sed -e "s|@ADDRESS@|udp:127.0.0.1:$port|" -e "s|@AGENT_SOURCE@|$source_dir|" \
        -e "s|@STATE@|$dir/state|" "$source_dir/snmpd.conf.in" >"$dir/snmpd.conf"
    rm -rf "$dir/persist"
    mkdir -p "$dir/persist"
    cp "$source_dir/v3users.conf" "$dir/persist/snmpd.conf"
    if "$source_dir/run-snmpd.sh" "$dir" "$port"; then
        echo "snmpd answers on 127.0.0.1:$port"
        exit 0
    fi
    "$source_dir/stop-agent.sh" "$dir" || true
done
echo "could not start snmpd; log:" >&2
cat "$dir/snmpd.log" >&2 || true
exit 1
