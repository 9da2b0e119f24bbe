#!/usr/bin/env bash
# snmpd "pass" handler serving the interfaces group (ifNumber and ifTable)
# from the state folder given as $1: $1/if/<ifIndex>/<column name> files.
# Called by snmpd as: ifpass.sh STATE -g|-n OID
state=$1
mode=$2
want=$3
base=.1.3.6.1.2.1.2

# column number, name, pass type
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
    "16 ifOutOctets counter"
)

indexes=()
if [ -d "$state/if" ]; then
    while read -r i; do indexes+=("$i"); done < <(ls "$state/if" | grep -E '^[0-9]+$' | sort -n)
fi

# Every instance in OID order as "oid type value-file-or-literal".
list() {
    echo "$base.1.0 integer =${#indexes[@]}"
    local entry number name type i
    for entry in "${columns[@]}"; do
        read -r number name type <<<"$entry"
        for i in "${indexes[@]}"; do
            if [ "$name" = ifIndex ]; then
                echo "$base.2.1.$number.$i $type =$i"
            elif [ -f "$state/if/$i/$name" ]; then
                echo "$base.2.1.$number.$i $type $state/if/$i/$name"
            fi
        done
    done
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
    local value
    if [ "${3:0:1}" = "=" ]; then value=${3:1}; else value=$(cat "$3"); fi
    printf '%s\n%s\n%s\n' "$1" "$2" "$value"
}

while read -r oid type source; do
    if [ "$mode" = -g ] && [ "$oid" = "$want" ]; then
        answer "$oid" "$type" "$source"
        exit 0
    fi
    if [ "$mode" = -n ] && after "$oid" "$want"; then
        answer "$oid" "$type" "$source"
        exit 0
    fi
done < <(list)
exit 0
