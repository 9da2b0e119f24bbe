#!/usr/bin/env bash
# Runs the SNMP benchmarks in ROUNDS alternating rounds (default 8) and prints
# the median of the per-round ratios (with the lowest and highest), which holds
# up on a busy machine better than one long run: codec speed-up over Net-SNMP
# (goal >= 3) with the identifier held as bytes, as a poll holds it, and as
# text, and the ReadOneValue round trip against Net-SNMP's synchronous get
# (goal <= 1.1).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-8}
bench=build/bench/bench_snmp
[ -x "$bench" ] || scripts/build.sh build >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for _ in $(seq "$rounds"); do
    "$bench" --benchmark_min_time=0.3 --benchmark_format=csv 2>/dev/null |
        grep -v '^name' >>"$out"
    echo "--" >>"$out"
done
awk -F, '
    function median(a, n,   i, j, t) {
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    function spread(a, n) { median(a, n); return sprintf("(%.2f to %.2f)", a[1], a[n]) }
    $0 == "--" {
        n++
        codec[n] = t["NetSnmpBuildGetParseResponse"] / t["OursEncodeGetDecodeResponse"]
        texts[n] = t["NetSnmpBuildGetParseResponse"] / t["OursEncodeGetDecodeResponseTexts"]
        session[n] = t["OursReadOneValue/real_time"] / t["NetSnmpSynchGet/real_time"]
        oneshot[n] = t["OursReadOneValue/real_time"] / t["NetSnmpOneShotGet/real_time"]
        next
    }
    { gsub(/"/, "", $1); t[$1] = $3 }
    END {
        printf "codec: Net-SNMP time / ours          %.2f %s (median of %d rounds)\n", median(codec, n), spread(codec, n), n
        printf "codec, identifier texts: the same    %.2f %s\n", median(texts, n), spread(texts, n)
        printf "round trip: ours / Net-SNMP session  %.2f %s\n", median(session, n), spread(session, n)
        printf "round trip: ours / Net-SNMP one-shot %.2f %s\n", median(oneshot, n), spread(oneshot, n)
    }' "$out"
