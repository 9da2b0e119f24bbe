#!/usr/bin/env bash
# Runs the test snmpd of FOLDER (its snmpd.conf and persist/ folder, written by
# start-agent.sh) on 127.0.0.1:PORT and waits until it answers.
# Usage: run-snmpd.sh FOLDER PORT; exit code 1 when it does not answer.
set -euo pipefail
dir=$1
port=$2
snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)
export SNMP_PERSISTENT_DIR=$dir/persist SNMPCONFPATH=$dir/persist MIBS= MIBDIRS=
rm -f "$dir/snmpd.pid"
# -C: only our configuration, and the persistent file named with it, which
# holds the SNMPv3 users, the engine ID and engine boots across restarts;
# -r: no checks of root-only files.
"$snmpd" -C -c "$dir/snmpd.conf,$dir/persist/snmpd.conf" -r -I -ifTable,ifXTable,interfaces,smux \
    -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" || exit 1
for wait in $(seq 1 50); do
    if snmpget -v1 -c public -t 0.2 -r 0 -On "127.0.0.1:$port" .1.3.6.1.2.1.1.5.0 \
            >/dev/null 2>&1; then
        echo "127.0.0.1:$port" >"$dir/address"
        exit 0
    fi
    [ -f "$dir/snmpd.pid" ] && kill -0 "$(cat "$dir/snmpd.pid")" 2>/dev/null || break
    sleep 0.1
done
exit 1
