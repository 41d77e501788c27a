#!/usr/bin/env bash
# Builds the fuzzers in tests/fuzz (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for the given number of seconds (default 60), starting from the seeds in the tree
# and growing a corpus of its own in the build folder, which later runs start from too.
# Prints one line per target and ends with one line:
#   fuzz: N targets run, N executions, N crashes found
# A failed check aborts and counts as a crash; the input that did it is kept under
# <build folder>/artifacts/. Exit status: 0 when every target ran clean, 1 when one did not,
# 2 when the build failed.
set -uo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

scripts/bootstrap.sh || exit 2

if [ "${CI:-}" = true ]; then
    preset=ci-fuzz
else
    preset=fuzz
fi
dir=${TW_FUZZ_BUILD_DIR:-$root/build/fuzz}
mkdir -p "$dir"
log=$dir/build.log
if ! { cmake --preset "$preset" -B "$dir" >"$log" 2>&1 && cmake --build "$dir" -j 2 >>"$log" 2>&1; }; then
    echo "build with preset $preset failed; last lines of $log:"
    tail -n 30 "$log"
    echo "fuzz: 0 targets run, 0 executions, 0 crashes found (the build failed)"
    exit 2
fi

# The message template's target writes a file per input on the simulated desktop, whose
# folder is made in TMPDIR: in memory that runs several times as many inputs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

runs_total=0
targets=0
crashes=0
for target in song_title script_line message_template start_switches; do
    corpus=$dir/corpus/$target
    mkdir -p "$corpus" "$dir/artifacts"
    out=$dir/fuzz_$target.log
    # msg.txt is read up to 64 KiB: its inputs must be able to reach past that, and the
    # seeds cut there must not be cut short themselves.
    max_len=()
    if [ "$target" = message_template ]; then
        max_len=(-max_len=70000)
    fi
    # The outer timeout only guards against a fuzzer that never stops.
    timeout $((seconds + 120)) "$dir/bin/fuzz_$target" \
        -max_total_time="$seconds" -timeout=20 "${max_len[@]}" \
        -dict=tests/fuzz/fuzz.dict -artifact_prefix="$dir/artifacts/$target-" \
        "$corpus" "tests/fuzz/seeds/$target" >"$out" 2>&1
    status=$?
    targets=$((targets + 1))
    runs=$(sed -nE 's/^Done ([0-9]+) runs in .*/\1/p' "$out" | tail -n 1)
    if [ "$status" -eq 0 ] && [ -n "$runs" ]; then
        echo "fuzz_$target: passed, $runs executions"
        runs_total=$((runs_total + runs))
    else
        crashes=$((crashes + 1))
        # libFuzzer prints how many inputs it ran before the crash in its last status line.
        runs=$(grep -oE '^#[0-9]+' "$out" | tail -n 1 | tr -d '#')
        runs_total=$((runs_total + ${runs:-0}))
        echo "fuzz_$target: FAILED (exit status $status) after ${runs:-0} executions; last lines of $out:"
        tail -n 40 "$out"
    fi
done

echo "fuzz: $targets targets run, $runs_total executions, $crashes crashes found"
[ "$crashes" -eq 0 ]
