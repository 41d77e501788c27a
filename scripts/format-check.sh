#!/usr/bin/env bash
# Checks C++ files against .clang-format without changing them.
# Usage: scripts/format-check.sh [BASE]
#   no BASE: every tracked .cpp and .h file (well under a second, and needs no history or
#            remote, so it works the same on a fresh clone in CI);
#   BASE:    only those changed since that commit, e.g. origin/main or HEAD~1, committed or not.
# `clang-format -i FILE` fixes a file it names.
# Ends with "format: N files checked, N not formatted"; exit status non-zero when one is not.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

if ! command -v clang-format >/dev/null; then
    echo "format: clang-format is not installed (scripts/bootstrap.sh installs it)"
    exit 2
fi

patterns=('*.cpp' '*.h')
if [ $# -gt 0 ]; then
    # Files deleted since BASE have nothing left to check.
    if ! list=$(git diff --name-only --diff-filter=d "$1" -- "${patterns[@]}"); then
        echo "format: cannot compare with $1"
        exit 2
    fi
else
    if ! list=$(git ls-files -- "${patterns[@]}"); then
        echo "format: not a git checkout"
        exit 2
    fi
fi
mapfile -t files < <(printf '%s' "$list" | sed '/^$/d')

bad=0
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        bad=$((bad + 1))
        echo "not formatted: $file; what clang-format would change:"
        clang-format "$file" | diff -u "$file" - | tail -n +3 | head -n 40
    fi
done
echo "format: ${#files[@]} files checked, $bad not formatted"
[ "$bad" -eq 0 ]
