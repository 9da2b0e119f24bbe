#!/usr/bin/env bash
# Installs what Pulsewell's tests need, builds and runs every test once:
#   build-sanitize/  everything, by clang 16 (a quarter less compile time than
#                    GCC), with AddressSanitizer (leaks included) and UBSan;
#                    the whole suite runs here
#   build-release/   the two programs as released (GCC, -O2, no debug
#                    information); the tests of the installed program and of
#                    the Debian packages run here
#   build-fuzz/      the decoder fuzz target (clang 16), run for 60 seconds
# The fuzz and release builds, the fuzzing and the tests of the packages run
# beside the sanitizer suite, at a lower priority so that its timers keep
# time. Ends with "N passed, N failed".
#   scripts/test.sh --twice   builds build/ whole instead of build-release/
#                             (GCC, the benchmarks too) and runs the suite there
set -uo pipefail
cd "$(dirname "$0")/.."
twice=false
case ${1:-} in
    --twice) twice=true ;;
    "") ;;
    *) echo "usage: $0 [--twice]" >&2; exit 2 ;;
esac
# As root, what only the tests' runs need installs while the sanitizer tree
# builds (on a fresh machine half of the packages); sudo could not ask for a
# password in the background, so without root it all comes first.
installing=
install_log=$(mktemp)
if [ "$(id -u)" -eq 0 ]; then
    scripts/install-deps.sh test-build || exit 1
    scripts/install-deps.sh test >"$install_log" 2>&1 &
    installing=$!
else
    scripts/install-deps.sh test || exit 1
fi
installed() {
    [ -z "$installing" ] || wait "$installing" || {
        cat "$install_log"
        echo "installing the packages the tests run with failed"
        exit 1
    }
    installing=
}
# Paths below here are hashed relative to it, so another clone reuses the cache.
export CCACHE_BASEDIR=$PWD
# Nor may the folder a file is compiled in, which debug information names.
export CCACHE_NOHASHDIR=1
# The libraries' precompiled Qt headers may come from the cache as well.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

status=0
# Most tests wait on sockets, timers and child processes, not on the CPU.
test_jobs=$(($(nproc) * 3))
# "passed failed" of each suite, from the foreground and the background alike.
results=$(mktemp)

run_suite() {  # folder, ctest arguments...
    local dir=$1
    shift
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j "$test_jobs" "$@" 2>&1 | tee "$log"
    local result=${PIPESTATUS[0]}
    local line
    line=$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -z "$line" ]; then
        echo "$dir: ctest ran no test"
        return 1
    fi
    local total bad
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    echo "$((total - bad)) $bad" >>"$results"
    return "$result"
}

# Prints what a step took, in wall and CPU seconds, on standard error.
timed() {  # label, command...
    local label=$1
    shift
    local TIMEFORMAT="$label: %R s wall, %U s user and %S s system CPU"
    time "$@"
}

release_dir=build-release
release_options=(-DPULSEWELL_ONLY_PROGRAM_TESTS=ON -DPULSEWELL_BENCH=OFF
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
if $twice; then
    release_dir=build
    release_options=(-DPULSEWELL_ONLY_PROGRAM_TESTS=OFF -DPULSEWELL_BENCH=ON)
fi
installed_log=$release_dir/installed-tests.log

# The fuzz target and the release programs, built behind the sanitizer suite,
# the fuzzing running beside them, then the tests of the installed programs;
# their output is shown only when they fail.
background_builds() {
    rm -f "$installed_log"
    timed "fuzz build" scripts/fuzz.sh build || return 1
    scripts/fuzz.sh run 60 >build-fuzz/run.log 2>&1 &
    local fuzzing=$!
    timed "release build" scripts/build.sh "$release_dir" "${release_options[@]}" || return 1
    local tested=0
    $twice || run_suite "$release_dir" -L install >"$installed_log" 2>&1 || tested=1
    if ! wait "$fuzzing"; then
        echo "fuzzing found a failing input (see build-fuzz/artifacts/)"
        return 1
    fi
    return $tested
}
background_log=$(mktemp)
builds=
trap 'rm -f "$background_log" "$results" "$install_log"; [ -z "$builds" ] || kill -- "-$builds" 2>/dev/null' EXIT

timed "sanitizer build" scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++-16 \
    -DPULSEWELL_SANITIZE=ON -DPULSEWELL_BENCH=OFF
built=$?
installed
if [ $built -eq 0 ]; then
    # In a session of its own, which the scheduler weighs as one group against
    # the suite's (autogroups): the group's nice value makes it yield, a
    # process's own counts only within the group. Once the suite is over it
    # runs alone, and the priority no longer matters.
    setsid nice -n 10 bash -c "echo 10 2>/dev/null >/proc/self/autogroup; \
        $(declare -f timed run_suite background_builds); \
        results=$results; test_jobs=$test_jobs; twice=$twice; installed_log=$installed_log; \
        release_dir=$release_dir; release_options=(${release_options[*]@Q}); background_builds" \
        >"$background_log" 2>&1 &
    builds=$!
    timed "sanitizer suite" run_suite build-sanitize || status=1
else
    status=1
    echo "the sanitizer build failed"
    background_builds >"$background_log" 2>&1 &
    builds=$!
fi

if wait "$builds"; then
    builds=
    grep -E '^(release|fuzz) build: ' "$background_log" >&2
    cat build-fuzz/run.log
    if $twice; then
        run_suite build || status=1
    else
        cat "$installed_log"
    fi
else
    builds=
    cat "$background_log"
    [ ! -f build-fuzz/run.log ] || cat build-fuzz/run.log
    [ ! -f "$installed_log" ] || cat "$installed_log"
    echo "the release or fuzzer build failed, the fuzzing found a failing input," \
        "or a test of the installed programs failed"
    status=1
fi

awk '{ passed += $1; failed += $2 } END { printf "%d passed, %d failed\n", passed, failed }' \
    "$results"
exit $status
