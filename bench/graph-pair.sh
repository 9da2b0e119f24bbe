#!/usr/bin/env bash
# Runs two graph_bench builds in turn, BEFORE then AFTER, ROUNDS times
# (default 5), each run five repetitions; prints each round's medians (wall and
# CPU time) and, per history length, the median over the rounds and the
# median of AFTER / BEFORE. Taking turns keeps a comparison fair while a
# shared machine's speed drifts.
set -euo pipefail
before=$1
after=$2
rounds=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
run() {  # binary -> "samples wall_us cpu_us" lines
    "$1" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '/_median/ { split($1, n, "/"); sub(/_median/, "", n[2]); print n[2], $2, $4 }'
}
for round in $(seq "$rounds"); do
    run "$before" >"$work/before"
    run "$after" >"$work/after"
    while read -r samples wall cpu; do
        read -r newWall newCpu < <(awk -v s="$samples" '$1 == s { print $2, $3 }' "$work/after")
        echo "round $round, $samples samples: before $wall us (CPU $cpu), after $newWall us (CPU $newCpu)"
        for m in wall cpu; do
            old=$([ $m = wall ] && echo "$wall" || echo "$cpu")
            new=$([ $m = wall ] && echo "$newWall" || echo "$newCpu")
            echo "$old" >>"$work/old.$m.$samples"
            echo "$new" >>"$work/new.$m.$samples"
            awk -v a="$new" -v b="$old" 'BEGIN { print a / b }' >>"$work/ratio.$m.$samples"
        done
    done <"$work/before"
done
for samples in 230 10000; do
    for m in wall cpu; do
        f=$work/old.$m.$samples
        [ -f "$f" ] || continue
        printf '%s samples, %s: before %s us (%s to %s), after %s us (%s to %s), median ratio %.2f\n' \
            "$samples" "$m" "$(median <"$f")" "$(sort -g "$f" | head -1)" "$(sort -g "$f" | tail -1)" \
            "$(median <"$work/new.$m.$samples")" "$(sort -g "$work/new.$m.$samples" | head -1)" \
            "$(sort -g "$work/new.$m.$samples" | tail -1)" "$(median <"$work/ratio.$m.$samples")"
    done
done
