#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Pulsewell
# needs. Safe to run again; asks for sudo when not run as root.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libsndfile1-dev libasound2-dev libjpeg-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    libssl-dev
    qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus dbus-x11 libsecret-tools
    snmpd snmp libsnmp-dev snmpsim
    xvfb xauth imagemagick fonts-dejavu-core
    dpkg-dev file desktop-file-utils groff-base
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
