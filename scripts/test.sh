#!/usr/bin/env bash
# Installs what Pulsewell needs, builds it and runs every test: the whole suite,
# then the library suites again under AddressSanitizer and UBSan.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

passed=0
failed=0
status=0

run_suite() {  # folder, ctest arguments...
    local dir=$1
    shift
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@" 2>&1 | tee "$log"
    local result=${PIPESTATUS[0]}
    local line
    line=$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$line" ]; then
        local total bad
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
        bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    rm -f "$log"
    [ "$result" -eq 0 ] || status=1
}

if scripts/build.sh build; then
    run_suite build
else
    status=1
fi

if scripts/build.sh build-sanitize -DPULSEWELL_SANITIZE=ON -DPULSEWELL_GUI=OFF \
        -DPULSEWELL_BENCH=OFF; then
    run_suite build-sanitize
else
    status=1
fi

# A short fuzzing run of every network decoder; any finding fails the run.
if ! scripts/fuzz.sh 60; then
    echo "fuzzing found a failing input (see build-fuzz/artifacts/)"
    status=1
fi

echo "$passed passed, $failed failed"
exit $status
