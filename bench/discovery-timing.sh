#!/usr/bin/env bash
# Times "&First contact" against the test agent (tests/agent) holding N fake
# interfaces (default 200), with the request count and the round trip of the
# same requests sent singly. Usage: bench/discovery-timing.sh [N] [ROUNDS]
set -euo pipefail
count=${1:-200}
rounds=${2:-3}
source "$(dirname "$0")/bench-agent.sh"
tool=build/bench/discovery_timing
[ -x "$tool" ] || { echo "build $tool first (PULSEWELL_BENCH=ON)" >&2; exit 1; }

state=$work/agent/state
rm -rf "$state/if"
for i in $(seq 1 "$count"); do
    dir=$state/if/$i
    mkdir -p "$dir"
    printf 'eth%s\n' "$i" >"$dir/ifDescr"
    echo 6 >"$dir/ifType"
    echo 1500 >"$dir/ifMtu"
    echo 1000000000 >"$dir/ifSpeed"
    printf '00 1a 2b 00 %02x %02x\n' $((i / 256)) $((i % 256)) >"$dir/ifPhysAddress"
    echo 1 >"$dir/ifAdminStatus"
    echo 1 >"$dir/ifOperStatus"
    echo 0 >"$dir/ifLastChange"
    echo 0 >"$dir/ifInOctets"
    echo 0 >"$dir/ifOutOctets"
done

"$tool" "$agent_address" public "$rounds"
