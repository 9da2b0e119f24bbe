#!/usr/bin/env bash
# Stops the snmpd that start-agent.sh started in FOLDER and starts it again on
# the same address. Its engine ID stays, its engine boots go up by one and its
# engine time starts again from 0, as after a device's reboot. With
# "new-engine" as second argument it forgets its persistent state instead: a
# new engine ID, engine boots from 1, the SNMPv3 users made again.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
dir=$(cd "$1" && pwd)
address=$(cat "$dir/address")
"$source_dir/stop-agent.sh" "$dir"
if [ "${2:-}" = new-engine ]; then
    rm -rf "$dir/persist"
    mkdir -p "$dir/persist"
    cp "$source_dir/v3users.conf" "$dir/persist/snmpd.conf"
fi
if ! "$source_dir/run-snmpd.sh" "$dir" "${address##*:}"; then
    echo "snmpd did not come back on $address; log:" >&2
    cat "$dir/snmpd.log" >&2 || true
    exit 1
fi
echo "snmpd answers again on $address"
