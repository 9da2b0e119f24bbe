#!/usr/bin/env bash
# Installs what Pulsewell's tests need, builds and runs every test: the whole
# suite in build/; the whole suite again, but for the tests of the installed
# program, under AddressSanitizer (leaks included) and UBSan in
# build-sanitize/; and a 60-second fuzzing run of every network decoder.
# Where one step mostly waits another runs beside it: the sanitizer and fuzzer
# builds behind the first suite, at a lower priority so that its timers keep
# time, and the fuzzing run beside the second suite. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test || exit 1
# Paths below here are hashed relative to it, so another clone reuses the cache.
export CCACHE_BASEDIR=$PWD
# The libraries' precompiled Qt headers may come from the cache as well.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

passed=0
failed=0
status=0
# Most tests wait on sockets, timers and child processes, not on the CPU.
test_jobs=$(($(nproc) * 2))

run_suite() {  # folder, ctest arguments...
    local dir=$1
    shift
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j "$test_jobs" "$@" 2>&1 | tee "$log"
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

# The sanitizer and fuzzer trees, built behind the first suite; their output
# is shown only when they fail.
background_builds() {
    scripts/build.sh build-sanitize -DPULSEWELL_SANITIZE=ON -DPULSEWELL_BENCH=OFF &&
        scripts/fuzz.sh build
}
background_log=$(mktemp)
builds=
trap 'rm -f "$background_log"; [ -z "$builds" ] || kill -- "-$builds" 2>/dev/null' EXIT

if scripts/build.sh build; then
    # In a process group of its own, to be given full priority again later.
    setsid nice -n 10 bash -c "$(declare -f background_builds); background_builds" \
        >"$background_log" 2>&1 &
    builds=$!
    run_suite build
    renice -n 0 -g "$builds" >/dev/null 2>&1 || true
else
    status=1
    background_builds >"$background_log" 2>&1 &
    builds=$!
fi

if wait "$builds"; then
    # A short fuzzing run beside the sanitizer suite; any finding fails the run.
    scripts/fuzz.sh run 60 >build-fuzz/run.log 2>&1 &
    fuzzing=$!
    run_suite build-sanitize
    if ! wait "$fuzzing"; then
        cat build-fuzz/run.log
        echo "fuzzing found a failing input (see build-fuzz/artifacts/)"
        status=1
    else
        cat build-fuzz/run.log
    fi
else
    cat "$background_log"
    echo "the sanitizer or fuzzer build failed"
    status=1
fi

echo "$passed passed, $failed failed"
exit $status
