#!/usr/bin/env bash
# Writes an snmpsim recording of a device with N interfaces (default 1000):
# the system group, ifNumber, the ifTable's 22 columns and the ifXTable's,
# sorted as snmpsim wants them. Ports 1 to N-N/100 run at 1 Gbit/s or
# 100 Mbit/s; every hundredth is a 10 Gbit/s port whose ifSpeed is the
# ceiling, so ifHighSpeed is read for it.
# Usage: bench/make-interfaces-recording.sh FILE [N]
set -euo pipefail
file=$1
count=${2:-1000}
awk -v n="$count" 'BEGIN {
    OFS = "|"
    print "1.3.6.1.2.1.1.1.0", "4", "Synthetic switch with " n " interfaces"
    print "1.3.6.1.2.1.1.2.0", "6", "1.3.6.1.4.1.8072.3.2.10"
    print "1.3.6.1.2.1.1.3.0", "67", "123456789"
    print "1.3.6.1.2.1.1.5.0", "4", "bench-switch"
    print "1.3.6.1.2.1.2.1.0", "2", n
    for (column = 1; column <= 22; ++column) {
        for (i = 1; i <= n; ++i) {
            print "1.3.6.1.2.1.2.2.1." column "." i, ifTable(column, i)
        }
    }
    for (column = 1; column <= 19; ++column) {
        for (i = 1; i <= n; ++i) {
            print "1.3.6.1.2.1.31.1.1.1." column "." i, ifXTable(column, i)
        }
    }
}
function tenGig(i) { return i % 100 == 0 }
function name(i) { return (tenGig(i) ? "TenGigabitEthernet" : "GigabitEthernet") (int((i - 1) / 48) + 1) "/0/" ((i - 1) % 48 + 1) }
function mbits(i) { return tenGig(i) ? 10000 : (i % 3 == 0 ? 100 : 1000) }
function ifTable(c, i) {
    if (c == 1) return "2|" i
    if (c == 2) return "4|" name(i)
    if (c == 3) return "2|6"
    if (c == 4) return "2|1500"
    if (c == 5) return "66|" (tenGig(i) ? "4294967295" : mbits(i) "000000")
    if (c == 6) return sprintf("4x|0016c7%06x", i)
    if (c == 7) return "2|1"
    if (c == 8) return "2|" (i % 5 == 0 ? 2 : 1)
    if (c == 9) return "67|" (1000 + i)
    if (c == 18) return "66|0"
    if (c == 21) return "66|0"
    if (c == 22) return "6|0.0"
    return "65|" (i * 7919 % 100000)
}
function ifXTable(c, i) {
    if (c == 1) return "4|Gi" (int((i - 1) / 48) + 1) "/0/" ((i - 1) % 48 + 1)
    if (c >= 2 && c <= 5) return "65|" (i * 31 % 1000)
    if (c >= 6 && c <= 13) return "70|" (i * 104729)
    if (c == 14) return "2|1"
    if (c == 15) return "66|" mbits(i)
    if (c == 16 || c == 17) return "2|" (c == 16 ? 2 : 1)
    if (c == 18) return "4|"
    return "67|0"
}' | sort -t'|' -k1,1 -V >"$file"
