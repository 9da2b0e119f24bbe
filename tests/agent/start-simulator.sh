#!/usr/bin/env bash
# Serves recordings of real devices with Debian's snmpsim on 127.0.0.1 at a free
# high port. Each recording answers to its own name as the community:
# cisco_16_switch, linux-full-walk, winxp-full-walk, hp_perf, public, plus every
# tests/agent/recordings/NAME.snmprec and every further file named.
# Usage: start-simulator.sh FOLDER [NAME.snmprec ...]
# Writes FOLDER/address ("127.0.0.1:PORT"), FOLDER/snmpsimd.pid and
# FOLDER/communities (one per line); FOLDER/snmpsimd.log keeps its log.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")" && pwd)
dir=$1
shift
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
"$source_dir/stop-simulator.sh" "$dir" || true
rm -rf "$dir/data" "$dir/cache" "$dir/address" "$dir/communities"
mkdir -p "$dir/data" "$dir/cache"

examples=/usr/share/doc/snmpsim/examples/data
for recording in cisco_16_switch.snmprec.gz hp_perf.snmprec.gz public.snmprec.gz \
        recorded/linux-full-walk.snmprec.gz recorded/winxp-full-walk.snmprec.gz; do
    zcat "$examples/$recording" >"$dir/data/$(basename "$recording" .gz)"
done
cp "$source_dir"/recordings/*.snmprec "$dir/data/" 2>/dev/null || true
for recording in "$@"; do
    cp "$recording" "$dir/data/"
done
(cd "$dir/data" && ls -- *.snmprec | sed 's/\.snmprec$//') >"$dir/communities"

served=$dir
user_args=()
if [ "$(id -u)" -eq 0 ]; then
    # snmpsimd refuses to keep root's rights and runs as nobody, who may not
    # reach a build tree in a private home (/root): it serves a copy under /tmp.
    served=$(mktemp -d /tmp/pulsewell-simulator.XXXXXX)
    echo "$served" >"$dir/served"
    cp -r "$dir/data" "$dir/cache" "$served/"
    chmod -R a+rwX "$served"
    user_args=(--process-user=nobody --process-group=nogroup)
fi

for attempt in $(seq 1 20); do
    port=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    setsid snmpsimd --data-dir="$served/data" --cache-dir="$served/cache" \
        --agent-udpv4-endpoint="127.0.0.1:$port" "${user_args[@]}" \
        --logging-method=null >"$dir/snmpsimd.log" 2>&1 </dev/null &
    echo $! >"$dir/snmpsimd.pid"
    # It indexes every recording before it answers.
    for wait in $(seq 1 150); do
        if SNMP_PERSISTENT_DIR="$dir/persist" snmpget -v1 -c public -t 0.2 -r 0 -On \
                "127.0.0.1:$port" .1.3.6.1.2.1.1.5.0 >/dev/null 2>&1; then
            echo "127.0.0.1:$port" >"$dir/address"
            echo "snmpsimd answers on 127.0.0.1:$port"
            exit 0
        fi
        kill -0 "$(cat "$dir/snmpsimd.pid")" 2>/dev/null || break
        sleep 0.2
    done
    "$source_dir/stop-daemon.sh" "$dir" snmpsimd.pid
done
echo "could not start snmpsimd; log:" >&2
cat "$dir/snmpsimd.log" >&2 || true
exit 1
