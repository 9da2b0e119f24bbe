#!/usr/bin/env bash
# The libFuzzer targets, built with clang 16 into build-fuzz/:
#   scripts/fuzz.sh [SECONDS]   builds them and runs each for SECONDS (default 60)
#   scripts/fuzz.sh build       only builds them
#   scripts/fuzz.sh run SECONDS only runs them (after a build)
# A run starts from the stored corpus, with inputs of up to 2048 bytes
# (PULSEWELL_FUZZ_MAX_LEN changes it; the 60000-byte regression datagram is
# covered by the tests), and fails when a target finds a crash, a leak or
# undefined behaviour; the input is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-fuzz
targets=(decode_message)

build() {
    scripts/build.sh "$dir" -DCMAKE_CXX_COMPILER=clang++-16 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPULSEWELL_FUZZ=ON -DBUILD_TESTING=OFF -DPULSEWELL_GUI=OFF -DPULSEWELL_BENCH=OFF \
        -- "${targets[@]/#/fuzz_}" >/dev/null
}

run() {  # seconds
    local status=0
    for target in "${targets[@]}"; do
        local work="$dir/corpus/$target"
        mkdir -p "$work" "$dir/artifacts"
        echo "fuzz_$target for $1 s"
        if ! "$dir/fuzz/fuzz_$target" -max_total_time="$1" \
                -max_len="${PULSEWELL_FUZZ_MAX_LEN:-2048}" -print_final_stats=1 \
                -artifact_prefix="$dir/artifacts/$target-" "$work" "fuzz/corpus/$target" \
                2>"$dir/fuzz_$target.log"; then
            status=1
            tail -n 40 "$dir/fuzz_$target.log"
        fi
        grep -E '^(Done|stat::number_of_executed_units)' "$dir/fuzz_$target.log" || true
    done
    return $status
}

case ${1:-60} in
    build) build ;;
    run) run "${2:-60}" ;;
    *) build && run "${1:-60}" ;;
esac
