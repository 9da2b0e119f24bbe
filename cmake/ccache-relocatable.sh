#!/usr/bin/env bash
# Runs a compile through ccache so that another clone of the repository finds
# it in the cache. ccache makes the paths of the options it knows relative to
# CCACHE_BASEDIR; two it cannot reach are made relative here:
# - CMake gives clang's precompiled header by absolute path after -Xclang,
#   which ccache passes as it stands;
# - CMake's unity sources include their files by absolute path; the compile
#   takes a copy that includes them relative to itself (under CCACHE_BASEDIR),
#   their __FILE__ still named from there.
# A precompiled header from the cache names the files of the clone that made
# it; where that clone is gone, the compile reads the header's text instead.
set -uo pipefail
root=${CCACHE_BASEDIR:-}
args=()
pch=
for arg in "$@"; do
    [[ $arg == "$PWD"/* ]] && arg=${arg#"$PWD"/}
    [[ $arg == *.hxx.pch ]] && pch=$arg
    if [[ -n $root && $arg == */Unity/unity_*.cxx && -f $arg ]]; then
        relocated=${arg%.cxx}.relocatable.cxx
        dir=$(dirname "$arg")
        up=$(realpath -m --relative-to="$dir" "$root")
        content=
        while IFS= read -r line; do
            if [[ $line == "#include \"$root/"* ]]; then
                line="#include \"$up/${line#"#include \"$root/"}"
            fi
            content+=$line$'\n'
        done <"$arg"
        # Written only when it changes, so that the build sees no new file.
        if [ ! -f "$relocated" ] || [ "$(cat "$relocated")"$'\n' != "$content" ]; then
            printf '%s' "$content" >"$relocated"
        fi
        args+=("-fmacro-prefix-map=$dir/$up/=")
        arg=$relocated
    fi
    args+=("$arg")
done
[ -n "$pch" ] || exec ccache "${args[@]}"

errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
ccache "${args[@]}" 2>"$errors"
status=$?
if [ $status -ne 0 ] && grep -q 'referenced by AST file' "$errors"; then
    without=()
    for ((i = 0; i < ${#args[@]}; i++)); do
        if [ "${args[i]}" = -Xclang ] && [ "${args[i + 1]:-}" = -include-pch ]; then
            # Below the driver, which would find the same file beside it.
            without+=(-Xclang -include -Xclang "${pch%.pch}")
            i=$((i + 3))
        else
            without+=("${args[i]}")
        fi
    done
    ccache "${without[@]}"
    exit
fi
cat "$errors" >&2
exit $status
