#!/usr/bin/env bash
# pulsewell as started from a shell: --help and --version answer without a
# display, a missing display is said in a line instead of an abort, and a
# start profile that is not in the program's folder is reported, one that is
# there is not.
# Usage: program-start-test.sh PULSEWELL VERSION
set -euo pipefail
pulsewell=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${no_display[@]}" "$pulsewell" --version) || fail "--version exited with $?"
[ "$out" = "pulsewell (Pulsewell) $version" ] || fail "--version printed \"$out\""
out=$("${no_display[@]}" "$pulsewell" --help) || fail "--help exited with $?"
grep -qx 'Usage: pulsewell \[PROFILE\]' <<<"$out" || fail "--help printed \"$out\""

status=0
"${no_display[@]}" "$pulsewell" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "without a display: exit code $status, $(cat "$work/err")"
grep -q '^pulsewell: no display' "$work/err" || fail "without a display: $(cat "$work/err")"

home=$work/home
mkdir -p "$home"
# The address is a closed port of the loopback: the profile's poll goes nowhere.
printf '[Details]\nIP=127.0.0.1:9\ninterval=30\n' >"$home/site.ini"
cp "$home/site.ini" "$work/elsewhere.ini"

# Runs the window offscreen with a profile until it has said that it cannot
# find it, or (reported=no) until it has started and a second more has
# passed, then ends it; its standard error goes to $work/err.
start_window() {  # profile reported
    # Else the wait below could find the last window's message before this
    # window's shell has even emptied the file.
    rm -f "$work/err"
    QT_QPA_PLATFORM=offscreen PULSEWELL_HOME=$home "$pulsewell" "$1" 2>"$work/err" &
    local window=$!
    for _ in $(seq 1 300); do  # ASan and a loaded machine take a while
        if [ "$2" = yes ]; then
            grep -qs 'start profile' "$work/err" && break
        else
            [ -f "$home/hostfile.txt" ] && sleep 1 && break
        fi
        kill -0 "$window" 2>/dev/null || fail "the window ended by itself: $(cat "$work/err")"
        sleep 0.1
    done
    kill "$window"
    wait "$window" || true
    rm -f "$home/hostfile.txt"
}

for profile in missing.ini "$work/elsewhere.ini"; do
    start_window "$profile" yes
    grep -qF "pulsewell: The start profile \"$profile\" is not in the program's folder $home/;" \
        "$work/err" || fail "no message for $profile: $(cat "$work/err")"
done
start_window site.ini no
! grep -q 'start profile' "$work/err" || fail "site.ini was reported: $(cat "$work/err")"
echo "ok: --help, --version, no display, start profiles"
