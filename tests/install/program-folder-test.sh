#!/usr/bin/env bash
# Where pulsewell-cli keeps its files, by where its executable lies. Each row
# polls the private agent once with both logs on and looks where they landed,
# and that nothing else was written beside the executable or per user.
# Usage: program-folder-test.sh PULSEWELL-CLI
set -euo pipefail
source "$(dirname "$0")/common.sh"
built=$1
agent=$(cat "$PULSEWELL_TEST_AGENT/address")
logs=("${agent}_i2.log" "${agent}_i2_debug.log")

copy_into() {  # folder
    mkdir -p "$1"
    cp "$built" "$1/"
    echo "$1/pulsewell-cli"
}

# row NAME RUNNER EXECUTABLE WHERE [VAR=VALUE...]
# WHERE: "beside" (the executable's folder), "per-user", or a folder.
row() {
    local name=$1 exe=$3 where=$4
    local -n runner=$2
    shift 4
    local home=$work/home-${#checked[@]}
    new_home "$home"
    local beside per_user folder
    beside=$(dirname "$exe")
    per_user=$(per_user_folder "$home")
    case $where in
        beside) folder=$beside ;;
        per-user) folder=$per_user ;;
        *) folder=$where ;;
    esac
    "${runner[@]}" HOME="$home" "$@" "$exe" poll --host "$agent" --community public \
        --interface 2 --count 1 --log --debug-log >"$work/output" 2>&1 ||
        fail "$name: pulsewell-cli failed: $(cat "$work/output")"
    for log in "${logs[@]}"; do
        [ -f "$folder/$log" ] || fail "$name: $log is not in $folder"
    done
    if [ "$folder" != "$beside" ] && [ "$(ls -A "$beside")" != pulsewell-cli ]; then
        fail "$name: written beside the executable: $(ls -A "$beside")"
    fi
    if [ "$folder" != "$per_user" ] && [ -e "$per_user" ]; then
        fail "$name: the per-user folder was made"
    fi
    checked+=("$name")
}
checked=()

for log in "${logs[@]}"; do
    leftovers+=("$(dirname "$built")/$log")
done
rm -f "${leftovers[@]}"
row "build tree" as_caller "$built" beside

row "portable copy" as_caller "$(copy_into "$work/portable")" beside

# Root may write any bin folder, and so may a user who installed into a prefix
# of their own; an installed copy still keeps its files per user.
installed=$(copy_into "$work/prefix/bin")
mkdir -p "$work/prefix/share/applications"
touch "$work/prefix/share/applications/pulsewell.desktop"
row "installed copy in a folder the user may write" as_caller "$installed" per-user

readonly_copy=$(copy_into "$work/read-only")
chmod a-w "$work/read-only"
row "read-only folder" as_unprivileged "$readonly_copy" per-user

new_home "$work/chosen"
row "PULSEWELL_HOME" as_unprivileged "$readonly_copy" "$work/chosen" PULSEWELL_HOME="$work/chosen"

printf 'ok: %s\n' "${checked[@]}"
