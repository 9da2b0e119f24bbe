#!/usr/bin/env bash
# Stops the snmpsimd that start-simulator.sh started in FOLDER, and removes
# the copy of the recordings it served as root.
"$(dirname "$0")/stop-daemon.sh" "$1" snmpsimd.pid
status=$?
if [ -f "$1/served" ]; then
    served=$(cat "$1/served")
    [[ $served == /tmp/pulsewell-simulator.* ]] && rm -rf "$served"
    rm -f "$1/served"
fi
exit $status
