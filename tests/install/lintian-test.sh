#!/usr/bin/env bash
# Debian's package checker on the two packages that debian-package-test.sh
# built: any error or warning fails; the notes (I:) are only printed.
# Usage: lintian-test.sh PACKAGES
set -uo pipefail
packages=("$1"/*.deb)
if [ "${#packages[@]}" -ne 2 ] || [ ! -f "${packages[0]}" ]; then
    echo "FAILED: not two packages in $1" >&2
    exit 1
fi
lintian --display-info --fail-on error,warning "${packages[@]}"
status=$?
if [ "$status" -ne 0 ]; then
    echo "FAILED: lintian exited with $status" >&2
    exit 1
fi
echo "ok: lintian found no error and no warning in ${packages[*]##*/}"
