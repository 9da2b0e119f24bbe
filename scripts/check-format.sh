#!/usr/bin/env bash
# Fails, naming the files, when clang-format with the repository's
# .clang-format would change any C++ file of the tree.
set -uo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null ||
                     find src tests bench fuzz -name '*.cpp' -o -name '*.h')
[ ${#files[@]} -gt 0 ] || { echo "no C++ files found"; exit 1; }
if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/check-format.$$; then
    grep -E '^[^ ]+: (error|warning):' /tmp/check-format.$$ | cut -d: -f1 | sort -u |
        sed 's/^/not formatted: /'
    echo "run: clang-format -i <file>"
    rm -f /tmp/check-format.$$
    exit 1
fi
rm -f /tmp/check-format.$$
echo "${#files[@]} files formatted as .clang-format says"
