#!/usr/bin/env bash
# Builds the Debian package from the build folder (cpack -G DEB) and checks
# it: the files a desktop install needs, dependencies found from the shared
# libraries, a menu entry desktop-file-validate accepts and a manual page
# groff reads without warnings.
# Usage: debian-package-test.sh BUILD-FOLDER VERSION
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
version=$2

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"
packages=("$work"/pulsewell_"$version"_*.deb)
[ -f "${packages[0]}" ] || fail "no pulsewell_${version}_*.deb: $(cat "$work/cpack.log")"
package=${packages[0]}

files=$(dpkg-deb --contents "$package" | awk '{ print $NF }')
expected=(./usr/bin/pulsewell ./usr/bin/pulsewell-cli ./usr/share/applications/pulsewell.desktop
          ./usr/share/man/man1/pulsewell-cli.1.gz)
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/pulsewell.png")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$files" || fail "$file is not in the package: $files"
done

depends=$(dpkg-deb --field "$package" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libsndfile1 libasound2; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

dpkg-deb --extract "$package" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/pulsewell.desktop" ||
    fail "desktop-file-validate"
warnings=$(zcat "$work/root/usr/share/man/man1/pulsewell-cli.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "manual page: $warnings"
echo "ok: $(basename "$package"), Depends: $depends"
