#!/usr/bin/env bash
# Installs the Debian packages that Pulsewell needs, by purpose:
#   scripts/install-deps.sh run    building and running the two programs
#   scripts/install-deps.sh package  that, and making the two Debian packages
#   scripts/install-deps.sh test-build  that, and building the tests
#   scripts/install-deps.sh test   that, and running every test (the default)
#   scripts/install-deps.sh tools  that, and redrawing the icons and pictures
# Safe to run again; asks for sudo when not run as root.
set -euo pipefail

run=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libsndfile1-dev libasound2-dev libjpeg-dev libssl-dev libsqlite3-dev
    qtkeychain-qt6-dev libsecret-1-0
    fonts-dejavu-core
)
test_build=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-16 libclang-rt-16-dev
    ccache ninja-build mold clang-format
)
# What only running the tests needs.
test_run=(
    gnome-keyring dbus libsecret-tools
    snmpd snmp libsnmp-dev snmpsim
    dpkg-dev file desktop-file-utils groff-base lintian
    tzdata
)
# cpack's Debian packages: dpkg-shlibdeps finds the libraries' packages.
package=(dpkg-dev file)
tools=(imagemagick xvfb xauth)

case ${1:-test} in
    run) packages=("${run[@]}") ;;
    package) packages=("${run[@]}" "${package[@]}") ;;
    test-build) packages=("${run[@]}" "${test_build[@]}") ;;
    test) packages=("${run[@]}" "${test_build[@]}" "${test_run[@]}") ;;
    tools) packages=("${run[@]}" "${test_build[@]}" "${test_run[@]}" "${tools[@]}") ;;
    *) echo "usage: $0 [run|package|test-build|test|tools]" >&2; exit 2 ;;
esac

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
