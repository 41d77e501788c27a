#!/usr/bin/env bash
# Builds and tests everything: the unit tests on the Linux host, plain and again under
# AddressSanitizer and UndefinedBehaviorSanitizer; clang-tidy over src/, clang-format over the
# C++ files and actionlint over the workflows (one test each); each fuzzer for a few seconds
# (one test each); then the Windows programs cross-compiled with MinGW-w64 and their
# end-to-end tests under Wine on a virtual display, once per Wine configuration
# (scripts/wine-configs.sh).
# The last line of output is always "N passed, N failed" over all of them.
# Exit status is non-zero when a build or a test failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/bootstrap.sh || exit 1
# shellcheck source-path=SCRIPTDIR source=wine-configs.sh
. scripts/wine-configs.sh

if [ "${CI:-}" = true ]; then
    host_preset=ci-host
    asan_preset=ci-host-asan
    windows_preset=ci-mingw
else
    host_preset=host
    asan_preset=host-asan
    windows_preset=mingw
fi
# The CI presets inherit the folders of the plain ones; these variables can move them
# (TW_FUZZ_BUILD_DIR moves the fuzzers', see scripts/fuzz.sh).
host_dir=${TW_HOST_BUILD_DIR:-$root/build/host}
asan_dir=${TW_ASAN_BUILD_DIR:-$root/build/host-asan}
windows_dir=${TW_WINDOWS_BUILD_DIR:-$root/build/mingw}
# How long each fuzzer runs here: long enough to catch a regression, short enough for CI.
fuzz_seconds=${TW_FUZZ_SECONDS:-10}
mkdir -p "$host_dir" "$asan_dir" "$windows_dir"

passed=0
failed=0
broken=0

# build <preset> <folder>: configure and build, output to build.log there; prints its tail on
# failure.
build() {
    local preset=$1 dir=$2 log=$2/build.log
    if cmake --preset "$preset" -B "$dir" >"$log" 2>&1 && cmake --build "$dir" -j 2 >>"$log" 2>&1; then
        return 0
    fi
    echo "build with preset $preset failed; last lines of $log:"
    tail -n 30 "$log"
    broken=1
    return 1
}

# show: passes through ctest's output without the line of each passing test.
show() {
    grep -vE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed +[0-9.]+ sec$|^ +Start +[0-9]+: ' || true
}

# count <ctest output>: adds the run's results to the totals.
count() {
    local summary total bad
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [ -z "$summary" ]; then
        # "No tests were found", or ctest itself fell over: nothing ran.
        if ! grep -q 'No tests were found' "$1"; then
            broken=1
        fi
        return
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# static_check <name> <command...>: one test, passed when the command exits 0.
static_check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "$name: FAILED"
        failed=$((failed + 1))
    fi
}

echo "== host build ($host_preset) and unit tests"
if build "$host_preset" "$host_dir"; then
    ctest --test-dir "$host_dir" -j 2 --no-tests=ignore --output-on-failure 2>&1 |
        tee "$host_dir/ctest.log" | show
    count "$host_dir/ctest.log"
fi

echo "== clang-tidy over src/, clang-format, workflow lint"
static_check tidy scripts/tidy.sh "$host_dir"
static_check format scripts/format-check.sh
static_check workflows scripts/workflow-lint.sh

echo "== host build under ASan and UBSan ($asan_preset) and unit tests"
if build "$asan_preset" "$asan_dir"; then
    ctest --test-dir "$asan_dir" -j 2 --no-tests=ignore --output-on-failure 2>&1 |
        tee "$asan_dir/ctest.log" | show
    count "$asan_dir/ctest.log"
fi

echo "== fuzzers, ${fuzz_seconds} s each"
fuzz_log=$(mktemp)
scripts/fuzz.sh "$fuzz_seconds" 2>&1 | tee "$fuzz_log"
fuzz_status=${PIPESTATUS[0]}
# Each target is one test: "fuzz: N targets run, N executions, N crashes found".
fuzz_summary=$(grep -E '^fuzz: [0-9]+ targets run, [0-9]+ executions, [0-9]+ crashes found' "$fuzz_log" |
    tail -n 1)
rm -f "$fuzz_log"
if [ "$fuzz_status" -eq 2 ] || [ -z "$fuzz_summary" ]; then
    broken=1
else
    fuzz_targets=$(sed -E 's/^fuzz: ([0-9]+) targets.*/\1/' <<<"$fuzz_summary")
    fuzz_crashes=$(sed -E 's/.* ([0-9]+) crashes found.*/\1/' <<<"$fuzz_summary")
    passed=$((passed + fuzz_targets - fuzz_crashes))
    failed=$((failed + fuzz_crashes))
fi

echo "== Windows build ($windows_preset) and end-to-end tests under Wine"
if build "$windows_preset" "$windows_dir"; then
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    # One session per Wine configuration (scripts/wine-configs.sh), each with its own prefix,
    # virtual display and persistent wineserver, running the tests the configuration selects.
    # The tests of a session share its desktop, which is why they run one at a time.
    for configuration in "${wine_configurations[@]}"; do
        echo "-- Wine configuration: $configuration"
        mapfile -t selection < <(wine_ctest_selection "$configuration")
        log=$windows_dir/ctest-$configuration.log
        xvfb-run -a -s "-screen 0 $(wine_x_screen "$configuration")x24" bash -c '
            . "$1/scripts/wine-configs.sh"
            configuration=$2 dir=$3
            shift 3
            if ! wine_session "$configuration" "$dir"; then
                echo "could not set up the Wine prefix $WINEPREFIX"
                exit 1
            fi
            # Wine starts its desktop and services from the first program that needs them,
            # and they keep the output of that program open: started here, they cannot hold
            # up ctest.
            wine "$dir/bin/twdrive.exe" wait-window NoSuchWindowClass 0 </dev/null >/dev/null 2>&1
            ctest --test-dir "$dir" --no-tests=ignore --output-on-failure "$@"
            status=$?
            wine_session_end
            exit $status
        ' bash "$root" "$configuration" "$windows_dir" "${selection[@]}" 2>&1 | tee "$log" | show
        count "$log"
    done
fi

if [ "$broken" -ne 0 ]; then
    echo "something did not build or run; see above"
fi
echo "$passed passed, $failed failed"
[ "$broken" -eq 0 ] && [ "$failed" -eq 0 ]
