#!/usr/bin/env bash
# Stops the snmpsimd that start-simulator.sh started in FOLDER.
set -uo pipefail
dir=$1
[ -f "$dir/snmpsimd.pid" ] || exit 0
pid=$(cat "$dir/snmpsimd.pid")
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
fi
rm -f "$dir/snmpsimd.pid" "$dir/address"
exit 0
