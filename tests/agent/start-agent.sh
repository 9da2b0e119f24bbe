#!/usr/bin/env bash
# Starts a private snmpd on 127.0.0.1 at a free high port for the tests.
# Usage: start-agent.sh FOLDER
# Writes FOLDER/address ("127.0.0.1:PORT"), FOLDER/snmpd.pid and seeds
# FOLDER/state with two interfaces; FOLDER/snmpd.log keeps the agent's log.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
dir=$1
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
"$source_dir/stop-agent.sh" "$dir" || true
rm -rf "$dir/state" "$dir/persist" "$dir/address"
mkdir -p "$dir/persist"
"$source_dir/seed-state.sh" "$dir/state"

snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)
export SNMP_PERSISTENT_DIR=$dir/persist SNMPCONFPATH=$dir/persist MIBS= MIBDIRS=

for attempt in $(seq 1 20); do
    port=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    sed -e "s|@ADDRESS@|udp:127.0.0.1:$port|" -e "s|@AGENT_SOURCE@|$source_dir|" \
        -e "s|@STATE@|$dir/state|" "$source_dir/snmpd.conf.in" >"$dir/snmpd.conf"
    rm -f "$dir/snmpd.pid"
    # -C: only our configuration; -r: no checks of root-only files.
    "$snmpd" -C -c "$dir/snmpd.conf" -r -I -ifTable,ifXTable,interfaces,smux -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" || continue
    for wait in $(seq 1 50); do
        if snmpget -v1 -c public -t 0.2 -r 0 -On "127.0.0.1:$port" .1.3.6.1.2.1.1.5.0 \
                >/dev/null 2>&1; then
            echo "127.0.0.1:$port" >"$dir/address"
            echo "snmpd answers on 127.0.0.1:$port"
            exit 0
        fi
        [ -f "$dir/snmpd.pid" ] && kill -0 "$(cat "$dir/snmpd.pid")" 2>/dev/null || break
        sleep 0.1
    done
    "$source_dir/stop-agent.sh" "$dir" || true
done
echo "could not start snmpd; log:" >&2
cat "$dir/snmpd.log" >&2 || true
exit 1
