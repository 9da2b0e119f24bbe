#!/usr/bin/env bash
# Counts the instructions of one graph redraw: runs graph_bench (default
# build/bench/graph_bench, or the one given) under callgrind for each history
# length and prints TRAG::Redraw's instructions per call, and how often the
# grid was drawn and at what cost: the average takes in the two grid drawings
# of every engine the benchmark builds (the first redraw has a black outline,
# the second the grid's colour).
set -euo pipefail
bench=${1:-build/bench/graph_bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for samples in 230 10000; do
    valgrind --tool=callgrind --callgrind-out-file="$work/out" --collect-atstart=no \
        --toggle-collect='pulsewell::(anonymous namespace)::BM_RedrawSevenFullSeries(benchmark::State&)' \
        "$bench" --benchmark_filter="/$samples\$" --benchmark_min_time=0.5 >/dev/null 2>"$work/log"
    # The caller line above a function's own: "IR (..%)  < caller (Nx) [...]".
    calls() {  # function -> "instructions calls"
        callgrind_annotate --inclusive=yes --tree=caller "$work/out" 2>/dev/null |
            grep -B1 "\*  .*$1" | grep '<' |
            sed -E 's/^ *([0-9,]+) .*\(([0-9,]+)x\).*/\1 \2/; s/,//g' | head -1
    }
    read -r total redraws < <(calls 'TRAG::Redraw(bool)')
    read -r grid grids < <(calls 'TRAG::DrawGrid')
    echo "$samples samples: $redraws redraws, $((total / redraws)) instructions per redraw;" \
        "the grid drawn $grids times, $((grid / grids)) instructions each"
done
