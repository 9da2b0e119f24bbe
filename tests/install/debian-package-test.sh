#!/usr/bin/env bash
# Builds the two Debian packages from the build folder (cpack -G DEB) into
# PACKAGES and checks them: the files each needs, dependencies found from the
# shared libraries (none on the widgets for the command), a menu entry
# desktop-file-validate accepts and manual pages groff reads without warnings.
# Usage: debian-package-test.sh BUILD-FOLDER PACKAGE-VERSION PACKAGES
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
version=$2
out=$3

rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"

check() {  # package, then its files, --, then libraries it must depend on
    local name=$1
    shift
    local found=("$out/${name}_${version}"_*.deb)
    [ -f "${found[0]}" ] || fail "no ${name}_${version}_*.deb: $(cat "$work/cpack.log")"
    local package=${found[0]}
    local files
    files=$(dpkg-deb --contents "$package" | awk '{ print $NF }')
    while [ "$1" != -- ]; do
        grep -qxF "$1" <<<"$files" || fail "$1 is not in $name: $files"
        shift
    done
    shift
    local depends
    depends=$(dpkg-deb --field "$package" Depends)
    for library in "$@"; do
        grep -q "\b$library\b" <<<"$depends" || fail "$name: Depends lacks $library: $depends"
    done
    dpkg-deb --extract "$package" "$work/root"
    echo "ok: $(basename "$package"), Depends: $depends"
}

docs() {  # package
    echo "./usr/share/doc/$1/copyright" "./usr/share/doc/$1/changelog.Debian.gz"
}

window_files=(./usr/bin/pulsewell ./usr/share/applications/pulsewell.desktop
              ./usr/share/man/man1/pulsewell.1.gz $(docs pulsewell))
for size in 16 32 48 64 128 256; do
    window_files+=("./usr/share/icons/hicolor/${size}x${size}/apps/pulsewell.png")
done
check pulsewell "${window_files[@]}" -- libqt6core6 libqt6gui6 libqt6widgets6 libsndfile1 libasound2
check pulsewell-cli ./usr/bin/pulsewell-cli ./usr/share/man/man1/pulsewell-cli.1.gz \
    $(docs pulsewell-cli) -- libqt6core6
cli_depends=$(dpkg-deb --field "$out"/pulsewell-cli_*.deb Depends)
! grep -q '\blibqt6widgets6\b' <<<"$cli_depends" || fail "pulsewell-cli depends on the widgets"

desktop-file-validate "$work/root/usr/share/applications/pulsewell.desktop" ||
    fail "desktop-file-validate"
for page in pulsewell pulsewell-cli; do
    warnings=$(zcat "$work/root/usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page of $page: $warnings"
done
