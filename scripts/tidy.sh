#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over the sources of src/ that the host build
# compiles (src/platform/win32/ is Windows-only and not among them), two files at a time.
# The tests stay out: GoogleTest's macros make them several times slower to check than src/.
# Usage: scripts/tidy.sh [host build folder, default build/host]; the folder must have been
# configured (its compile_commands.json is what clang-tidy reads).
# Ends with "tidy: N files checked, N with findings"; exit status non-zero on any finding.
set -uo pipefail

if ! command -v clang-tidy >/dev/null; then
    echo "tidy: clang-tidy is not installed (scripts/bootstrap.sh installs it)"
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd -P)
dir=$(realpath -m "${1:-$root/build/host}")
database=$dir/compile_commands.json
if [ ! -f "$database" ]; then
    echo "tidy: no $database; configure the host build first (cmake --preset host)"
    exit 2
fi

files=()
while IFS= read -r file; do
    if [[ $file == "$root/src/"* && $file != "$root/src/platform/win32/"* ]]; then
        files+=("$file")
    fi
done < <(sed -nE 's/^ *"file": *"(.*)",?$/\1/p' "$database" | sort -u)
if [ "${#files[@]}" -eq 0 ]; then
    echo "tidy: $database lists no file of $root/src"
    exit 2
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# One log per file, so that the two runs at a time do not mix their output.
printf '%s\n' "${files[@]}" | xargs -P 2 -I{} sh -c '
    log="$2/$(printf %s "$1" | tr / _).log"
    clang-tidy --quiet -p "$0" "$1" >"$log" 2>&1 || echo "$1" >"$log.failed"
' "$dir" {} "$out"

bad=0
for file in "${files[@]}"; do
    log="$out/$(printf %s "$file" | tr / _).log"
    # A warning counts too, should .clang-tidy ever stop making warnings errors.
    if [ -f "$log.failed" ] || grep -qE ': (warning|error): ' "$log"; then
        bad=$((bad + 1))
        echo "${file#"$root/"}:"
        grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$log"
    fi
done
echo "tidy: ${#files[@]} files checked, $bad with findings"
[ "$bad" -eq 0 ]
