#!/usr/bin/env bash
# Writes the default fake interfaces into the state folder $1:
# 1 "lo" (software loopback) and 2 "eth0" (Ethernet, 100 Mbit/s). The octet
# counters of 1 are the machine's real loopback counters, in 32 and 64 bits;
# 2 has no 64-bit counters.
set -euo pipefail
state=$1
write() {  # index column value
    mkdir -p "$state/if/$1"
    printf '%s\n' "$3" >"$state/if/$1/$2"
}
write 1 ifDescr lo
write 1 ifType 24
write 1 ifMtu 65536
write 1 ifSpeed 10000000
write 1 ifPhysAddress ""
write 1 ifAdminStatus 1
write 1 ifOperStatus 1
write 1 ifLastChange 0
write 1 ifInOctets live:/sys/class/net/lo/statistics/rx_bytes
write 1 ifOutOctets live:/sys/class/net/lo/statistics/tx_bytes
write 1 ifHCInOctets live:/sys/class/net/lo/statistics/rx_bytes
write 1 ifHCOutOctets live:/sys/class/net/lo/statistics/tx_bytes
write 1 ifHighSpeed 10
write 2 ifDescr eth0
write 2 ifType 6
write 2 ifMtu 1500
write 2 ifSpeed 100000000
write 2 ifPhysAddress "00 1a 2b 00 00 01"
write 2 ifAdminStatus 1
write 2 ifOperStatus 1
write 2 ifLastChange 4200
write 2 ifInOctets 3000000000
write 2 ifOutOctets 1000
