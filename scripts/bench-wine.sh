#!/usr/bin/env bash
# Measures tunewarden.exe under Wine against a bare window program doing the same polling
# (tools/baseline), interleaved: baseline, program, baseline, program... for every figure, so
# that drift of the machine falls on both alike. Reports min/median/max of each figure and of
# the ratio program/baseline; it asserts nothing.
#
#   scripts/bench-wine.sh [--rounds N] [--life SECONDS] [--cpu SECONDS] [--compare EXE]
#
#   --rounds   rounds of the interleaved runs (default 10)
#   --life     how long a program lives before its memory is read again (default 600, the
#              ten-minute figure; shorten it for a quick run)
#   --cpu      the window over which idle and announcer CPU are measured (default 60)
#   --compare  also measure another build of the program (an earlier tunewarden.exe), in the
#              same interleaving, with a ratio table of its own
#
# The full default takes about 10 rounds x (2 x 10 min + 2 x 1 min): close to four hours.
#
# The CPU and memory figures are read by tools/bench-probe (twprobe.exe), which starts each
# program and reads Linux's /proc of the program's Wine process; see the note at its top for
# why not GetProcessTimes and GetProcessMemoryInfo.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
rounds=10
life=600
cpu=60
compare=
while [ $# -gt 0 ]; do
    case $1 in
        --rounds) rounds=$2; shift 2 ;;
        --life) life=$2; shift 2 ;;
        --cpu) cpu=$2; shift 2 ;;
        --compare) compare=$(realpath "$2"); shift 2 ;;
        --inside-display) shift; break ;;
        *) sed -n '2,/^set -e/p' "$0" | sed 's/^# \{0,1\}//; /^set -e/d' >&2; exit 64 ;;
    esac
done

dir=${TW_WINDOWS_BUILD_DIR:-$root/build/mingw}
bin=$dir/bin
export WINEPREFIX=$dir/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

# Start-up settles before CPU is counted: under Wine without a window manager the announcer's
# first hide can block for about two seconds.
settle_ms=5000

if [ "${1:-}" != "" ]; then
    # On the virtual display: the measurements themselves. $1 is the work folder.
    work=$1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p
    # Wine starts its desktop and services from the first program that needs them, and they
    # keep that program's output open: started here, they hold nothing up.
    wine "$bin/twdrive.exe" wait-window NoSuchWindowClass 0 </dev/null >/dev/null 2>&1 || true
    # The announcer writes into the stored game folder; the baseline's -w into its own.
    game=$(winepath -w "$work/game")
    wine reg add 'HKCU\Software\Tunewarden\WTF' /v CSFolder /t REG_SZ /d "$game" /f >/dev/null 2>&1
    wine "$bin/player-standin.exe" --caption "1. Bench Artist - Bench Song - Winamp" \
        </dev/null >/dev/null 2>&1 &
    player=$!
    wine "$bin/twdrive.exe" wait-window "Winamp v1.x" 20000 >/dev/null
    folder=$(winepath -w "$work")
    cpu_ms=$((cpu * 1000))
    life_ms=$((life * 1000))
    # The idle window lies inside the program's life.
    if [ "$life_ms" -lt $((settle_ms + cpu_ms + 1000)) ]; then
        life_ms=$((settle_ms + cpu_ms + 1000))
    fi
    probe() {  # probe LABEL KIND LIFE_MS PROGRAM [ARGUMENTS...]
        local label=$1 kind=$2 lifetime=$3
        shift 3
        local line
        line=$(wine "$bin/twprobe.exe" "$folder" "$settle_ms" "$cpu_ms" "$lifetime" \
            "$(winepath -w "$1")" "${@:2}" </dev/null 2>>"$work/probe.log") || true
        echo "$round $label $kind $line" >>"$work/results.txt"
        echo "round $round $label $kind: ${line:-no figures}" >&2
    }
    programs=("baseline:$bin/tw-baseline.exe" "program:$bin/tunewarden.exe")
    if [ -n "${TW_BENCH_COMPARE:-}" ]; then
        programs+=("compared:$TW_BENCH_COMPARE")
    fi
    for round in $(seq "$rounds"); do
        for entry in "${programs[@]}"; do
            probe "${entry%%:*}" idle "$life_ms" "${entry#*:}"
        done
        short=$((settle_ms + cpu_ms + 500))
        for entry in "${programs[@]}"; do
            if [ "${entry%%:*}" = baseline ]; then
                probe baseline writing "$short" "${entry#*:}" -w
            else
                probe "${entry%%:*}" writing "$short" "${entry#*:}" -a
            fi
        done
    done
    wine "$bin/twdrive.exe" close "Winamp v1.x" >/dev/null 2>&1 || true
    wait "$player" || true
    wineserver -k
    exit 0
fi

cd "$root"
scripts/bootstrap.sh
cmake --preset mingw -B "$dir" >/dev/null
cmake --build "$dir" -j 2 --target tunewarden tw-baseline twprobe twdrive player-standin >/dev/null

work=$dir/bench-$(date +%Y%m%d-%H%M%S)
mkdir -p "$work/game"
echo "bench: $rounds rounds, memory again after ${life} s, CPU over ${cpu} s; figures in $work" >&2
wineserver -k >/dev/null 2>&1 || true
TW_BENCH_COMPARE=$compare TW_WINDOWS_BUILD_DIR=$dir xvfb-run -a -s "-screen 0 1024x768x24" \
    "$0" --rounds "$rounds" --life "$life" --cpu "$cpu" --inside-display "$work"

python3 - "$work/results.txt" "$life" "$cpu" <<'PY'
import statistics, sys

path, life, cpu = sys.argv[1], sys.argv[2], sys.argv[3]
rows = {}
for line in open(path):
    parts = line.split()
    if len(parts) < 4:
        continue
    round_, label, kind = parts[:3]
    figures = dict(p.split("=") for p in parts[3:])
    rows.setdefault((label, kind), []).append({k: float(v) for k, v in figures.items()})

figures = [
    ("start to visible window (ms)", "idle", "start_ms"),
    ("CPU before the window (ms)", "idle", "cpu_start_ms"),
    (f"idle CPU over {cpu} s (ms)", "idle", "cpu_ms"),
    (f"  wineserver meanwhile (ms)", "idle", "server_cpu_ms"),
    (f"CPU writing, over {cpu} s (ms)", "writing", "cpu_ms"),
    (f"  wineserver meanwhile (ms)", "writing", "server_cpu_ms"),
    ("resident at start (KiB)", "idle", "rss_start_kb"),
    ("private at start (KiB)", "idle", "private_start_kb"),
    (f"resident after {life} s (KiB)", "idle", "rss_end_kb"),
    (f"private after {life} s (KiB)", "idle", "private_end_kb"),
]

def spread(values):
    if not values:
        return "-"
    form = "%.0f" if max(values) >= 1000 else "%.1f"
    return " / ".join(form % v for v in (min(values), statistics.median(values), max(values)))

def table(label):
    print(f"\n{label} against the baseline (min / median / max over the rounds)")
    print(f"{'figure':34} {'baseline':>26} {label:>26} {'ratio':>22}")
    for name, kind, key in figures:
        base = [r[key] for r in rows.get(("baseline", kind), []) if key in r]
        mine = [r[key] for r in rows.get((label, kind), []) if key in r]
        # Ratios pair each run with the baseline run just before it, in the same round.
        ratios = [m / b for m, b in zip(mine, base) if b > 0]
        ratio = "-" if not ratios else "%.2f / %.2f / %.2f" % (
            min(ratios), statistics.median(ratios), max(ratios))
        print(f"{name:34} {spread(base):>26} {spread(mine):>26} {ratio:>22}")

table("program")
if any(label == "compared" for label, _ in rows):
    table("compared")
PY
