#!/usr/bin/env bash
# Stops the daemon whose process id FOLDER/PIDFILE holds: politely, then for
# good after five seconds; removes the pid and address files.
set -uo pipefail
dir=$1
pidfile=$dir/$2
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile")
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
fi
rm -f "$pidfile" "$dir/address"
exit 0
