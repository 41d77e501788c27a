#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine beside the stand-in player.
#
# With $DISPLAY set, both windows open on your desktop and the script waits until you close
# Tunewarden. Without a display it plays a short scripted session on a virtual one, in Wine's
# desktop with its taskbar (the "shell" configuration of scripts/wine-configs.sh): Control +
# keypad 0, 9, 3, then 8 for the song popup; it takes a screenshot while the popup is up, and
# prints the folder holding the screenshot and the player's command log.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/mingw/bin
caption="1. Tunewarden Demo - Stand-in Song - Winamp"

# shellcheck source-path=SCRIPTDIR source=wine-configs.sh
. "$root/scripts/wine-configs.sh"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

drive() {
    wine "$bin/twdrive.exe" "$@"
}

start_player() {
    local out=$1
    wine "$bin/player-standin.exe" --caption "$caption" \
        --log "$(winepath -w "$out/commands.log")" &
    player=$!
    drive wait-window "Winamp v1.x" 20000
}

# Unattended session on the display xvfb-run gave us; everything lands in $1.
scripted_session() {
    local out=$1
    wine_session shell "$root/build/mingw"
    start_player "$out"
    # Tunewarden works in the output folder, so whatever it writes is kept with the rest.
    (cd "$out" && exec wine "$bin/tunewarden.exe") &
    local tunewarden=$!
    if ! drive wait-window Tunewarden_frmMain 20000; then
        echo "Tunewarden showed no window" >&2
    fi
    sleep 0.5
    # Held past one 250 ms keyboard tick each; Control + keypad 8 last, the popup stays up
    # for two seconds, long enough for the screenshot.
    drive keys 400 ctrl num0
    drive keys 400 ctrl num9
    drive keys 400 ctrl num3
    drive keys 400 ctrl num8
    import -window root "$out/screen.png"
    drive close Tunewarden_frmMain || true
    for _ in $(seq 50); do
        kill -0 "$tunewarden" 2>/dev/null || break
        sleep 0.1
    done
    drive close "Winamp v1.x" || true
    wait "$player" || true
    wineserver -k
}

if [ "${1:-}" = --scripted-session ]; then
    scripted_session "$2"
    exit 0
fi

cd "$root"
scripts/bootstrap.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j 2
for exe in tunewarden.exe player-standin.exe twdrive.exe; do
    if [ ! -f "$bin/$exe" ]; then
        echo "$bin/$exe was not built" >&2
        exit 1
    fi
done

out=$root/run-output/$(date +%Y%m%d-%H%M%S)
mkdir -p "$out"

if [ -n "${DISPLAY:-}" ]; then
    wine_session bare "$root/build/mingw"
    start_player "$out"
    (cd "$out" && wine "$bin/tunewarden.exe") || true
    drive close "Winamp v1.x" || true
    wait "$player" || true
    wineserver -k
else
    xvfb-run -a -s "-screen 0 ${wine_screen}x24" "$0" --scripted-session "$out" \
        >"$out/session.log" 2>&1 || echo "the session had errors, see $out/session.log" >&2
fi
echo "$out"
