#!/usr/bin/env bash
# Stops the snmpd that start-agent.sh started in FOLDER.
set -uo pipefail
dir=$1
[ -f "$dir/snmpd.pid" ] || exit 0
pid=$(cat "$dir/snmpd.pid")
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
fi
rm -f "$dir/snmpd.pid" "$dir/address"
exit 0
