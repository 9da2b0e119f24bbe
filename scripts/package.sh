#!/usr/bin/env bash
# Installs what building and packaging Pulsewell needs, builds the two
# programs (no tests, no benchmarks) into build-package/ and makes their two
# Debian packages there; prints the packages' paths.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
# Without tests and benchmarks, everything cpack builds first is what the packages hold.
scripts/build.sh build-package -DBUILD_TESTING=OFF -DPULSEWELL_BENCH=OFF >/dev/null
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/pulsewell_*.deb "$PWD"/build-package/pulsewell-cli_*.deb
