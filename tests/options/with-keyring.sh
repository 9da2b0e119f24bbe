#!/usr/bin/env bash
# Runs a command in a D-Bus session of its own with GNOME Keyring's Secret
# Service, its login keyring unlocked, its files in a fresh folder: the
# keyring tests never touch a user's keyring. Usage: with-keyring.sh COMMAND...
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    exec dbus-run-session -- "$0" --inside "$@"
fi
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Creates and unlocks the login keyring with this password; the daemon then
# serves org.freedesktop.secrets on this session's bus.
printf 'pulsewell-test' | gnome-keyring-daemon --unlock --components=secrets >/dev/null
"$@"
