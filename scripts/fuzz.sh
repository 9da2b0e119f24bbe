#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60), starting from the stored corpus, with inputs of up to
# 2048 bytes (PULSEWELL_FUZZ_MAX_LEN changes it; the 60000-byte regression
# datagram is covered by the tests). Fails when a target
# finds a crash, a leak or undefined behaviour; the input is kept in
# build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz
cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPULSEWELL_FUZZ=ON -DBUILD_TESTING=OFF -DPULSEWELL_GUI=OFF -DPULSEWELL_BENCH=OFF >/dev/null
cmake --build "$dir" -j 2 --target fuzz_decode_message >/dev/null

status=0
for target in decode_message; do
    work="$dir/corpus/$target"
    mkdir -p "$work" "$dir/artifacts"
    echo "fuzz_$target for $seconds s"
    if ! "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="${PULSEWELL_FUZZ_MAX_LEN:-2048}" -print_final_stats=1 \
            -artifact_prefix="$dir/artifacts/$target-" "$work" "fuzz/corpus/$target" \
            2>"$dir/fuzz_$target.log"; then
        status=1
        tail -n 40 "$dir/fuzz_$target.log"
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "$dir/fuzz_$target.log" || true
done
exit $status
