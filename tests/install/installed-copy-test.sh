#!/usr/bin/env bash
# An installed copy in a prefix its user cannot write: cmake --install into a
# fresh prefix, then, as that user, the window starts and makes its host list
# in the per-user folder, and pulsewell-cli polls the private agent. Nothing
# may be written into the prefix.
# Usage: installed-copy-test.sh BUILD-FOLDER VERSION
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
version=$2
agent=$(cat "$PULSEWELL_TEST_AGENT/address")

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# Root owns the prefix, so nobody cannot write it; anyone else takes it away.
[ "$(id -u)" -eq 0 ] || chmod -R a-w "$prefix"
contents() { find "$prefix" -printf '%p %s %T@\n' | sort; }
before=$(contents)
home=$work/home
new_home "$home"
per_user=$(per_user_folder "$home")

out=$("${as_unprivileged[@]}" HOME="$home" "$prefix/bin/pulsewell-cli" --version)
[ "$out" = "pulsewell-cli (Pulsewell) $version" ] || fail "--version printed \"$out\""

"${as_unprivileged[@]}" HOME="$home" "$prefix/bin/pulsewell" >"$work/window.log" 2>&1 &
window=$!
for _ in $(seq 1 300); do  # a loaded machine may take a while
    [ -f "$per_user/hostfile.txt" ] && break
    kill -0 "$window" 2>/dev/null || break
    sleep 0.1
done
still_running=yes
kill "$window" 2>/dev/null || still_running=no
wait "$window" || true
[ -f "$per_user/hostfile.txt" ] || fail "no host list in $per_user: $(cat "$work/window.log")"
[ "$still_running" = yes ] || fail "the window ended by itself: $(cat "$work/window.log")"

"${as_unprivileged[@]}" HOME="$home" "$prefix/bin/pulsewell-cli" poll --host "$agent" \
    --community public --interface 2 --interval 1 --count 2 >"$work/poll.out" 2>"$work/poll.err" ||
    fail "pulsewell-cli poll failed: $(cat "$work/poll.err")"
grep -q '; IN bits/s: [0-9]*; OUT bits/s: [0-9]*; utilization: ' "$work/poll.out" ||
    fail "no traffic line: $(cat "$work/poll.out")"
grep -q '^Total traffic transferred IN: ' "$work/poll.out" || fail "no totals line"

[ "$(contents)" = "$before" ] || fail "written into the prefix: $(diff <(echo "$before") <(contents))"
echo "ok: installed copy in $prefix keeps its files in $per_user"
