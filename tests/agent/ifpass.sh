#!/usr/bin/env bash
# snmpd "pass_persist" handler serving the interfaces group (ifNumber and
# ifTable) from the state folder given as $1, or, with "ifx" as $2, the
# ifXTable columns of the 64-bit counters and ifHighSpeed:
# $1/if/<ifIndex>/<column name> files, read afresh for every request. A file
# holding "live:PATH" answers the number in PATH, modulo 2^32 for a Counter32
# (the counters of a real interface). (A plain "pass" script is not used:
# snmpd caches the output of a repeated command line for seconds.)
state=$1

# The entries' prefix, the OID of the row count (ifNumber) if the table has
# one, and its columns as "number name pass-type".
if [ "${2:-}" = ifx ]; then
    rows=.1.3.6.1.2.1.31.1.1.1
    count_oid=
    columns=(
        "1 ifName string"
        "6 ifHCInOctets counter64"
        "10 ifHCOutOctets counter64"
        "15 ifHighSpeed gauge"
        "18 ifAlias string"
    )
else
    rows=.1.3.6.1.2.1.2.2.1
    count_oid=.1.3.6.1.2.1.2.1.0
    columns=(
        "1 ifIndex integer"
        "2 ifDescr string"
        "3 ifType integer"
        "4 ifMtu integer"
        "5 ifSpeed gauge"
        "6 ifPhysAddress octet"
        "7 ifAdminStatus integer"
        "8 ifOperStatus integer"
        "9 ifLastChange timeticks"
        "10 ifInOctets counter"
        "13 ifInDiscards counter"
        "14 ifInErrors counter"
        "16 ifOutOctets counter"
        "19 ifOutDiscards counter"
        "20 ifOutErrors counter"
    )
fi

# Every instance in OID order, into the arrays oids, types and sources (a
# file holding the value, or "=value"). Builtins only: this runs for every
# request, and a process started for each would cost the tests' CPU.
list() {
    oids=() types=() sources=()
    local -a indexes=()
    local folder i
    for folder in "$state"/if/*/; do
        i=${folder%/}
        i=${i##*/}
        if [[ $i =~ ^[0-9]+$ ]]; then
            indexes[10#$i]=$i  # an array lists its elements in the order of their indexes
        fi
    done
    if [ -n "$count_oid" ]; then
        add "$count_oid" integer "=${#indexes[@]}"
    fi
    local entry number name type
    for entry in "${columns[@]}"; do
        read -r number name type <<<"$entry"
        for i in "${indexes[@]}"; do
            if [ "$name" = ifIndex ]; then
                add "$rows.$number.$i" "$type" "=$i"
            elif [ -f "$state/if/$i/$name" ]; then
                add "$rows.$number.$i" "$type" "$state/if/$i/$name"
            fi
        done
    done
}

add() {  # oid type source
    oids+=("$1")
    types+=("$2")
    sources+=("$3")
}

# 0 when OID $1 sorts after OID $2.
after() {
    local IFS=.
    local -a a b
    read -ra a <<<"${1#.}"
    read -ra b <<<"${2#.}"
    local k
    for ((k = 0; k < ${#a[@]} && k < ${#b[@]}; k++)); do
        if ((a[k] != b[k])); then
            ((a[k] > b[k]))
            return
        fi
    done
    ((${#a[@]} > ${#b[@]}))
}

answer() {  # oid type source
    local value=
    if [ "${3:0:1}" = "=" ]; then value=${3:1}; else IFS= read -r value <"$3"; fi
    # "live:FILE" follows a kernel counter, such as the real loopback's bytes;
    # "ramp:START:RATE" has counted RATE bytes a second, from 1000 at START
    # (microseconds since 1970), as a link carrying that much.
    local counted=true start rate
    case $value in
        live:*) read -r value <"${value#live:}" ;;
        ramp:*)
            IFS=: read -r _ start rate <<<"$value"
            value=$((1000 + rate * (${EPOCHREALTIME//[!0-9]/} - start) / 1000000))
            ;;
        *) counted=false ;;
    esac
    if $counted && [ "$2" = counter ]; then value=$((value % 4294967296)); fi
    printf '%s\n%s\n%s\n' "$1" "$2" "$value"
}

# Answers one request: mode -g (get) or -n (getnext) for OID $2.
lookup() {
    local mode=$1 want=$2 k
    list
    for k in "${!oids[@]}"; do
        if [ "$mode" = -g ] && [ "${oids[k]}" = "$want" ]; then
            answer "${oids[k]}" "${types[k]}" "${sources[k]}"
            return
        fi
        if [ "$mode" = -n ] && after "${oids[k]}" "$want"; then
            answer "${oids[k]}" "${types[k]}" "${sources[k]}"
            return
        fi
    done
    echo NONE
}

trap '' PIPE
while read -r command; do
    case "$command" in
        PING) echo PONG ;;
        get) read -r oid; lookup -g "$oid" ;;
        getnext) read -r oid; lookup -n "$oid" ;;
        set) read -r _; read -r _; echo not-writable ;;
        "") exit 0 ;;
        *) echo NONE ;;
    esac
done
