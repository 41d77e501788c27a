# shellcheck shell=bash
# The Wine configurations the end-to-end tests run in (scripts/test.sh runs one session per
# configuration) and the scripted session of scripts/run.sh uses. Sourced, not run.
#
# A configuration is
#   - a name in wine_configurations; the first is the default, the bare display;
#   - a prefix of its own, from wine_prefix;
#   - a set-up step, the function wine_setup_<name> given the Windows build folder, run in the
#     new prefix (and again whenever the function's text or the folder changes);
#   - where it needs more than Wine straight on the Xvfb screen: that screen's size, from a
#     function wine_x_screen_<name>, and a function wine_display_<name> that starts an X server
#     of its own on it and points DISPLAY there before anything else in the session runs;
#   - the tests it runs: those with its name as their CTest label (tests/e2e/CMakeLists.txt);
#     the default runs every test that no other configuration claims.
# A new configuration is one more name, one more set-up function and a label on its tests.
wine_configurations=(bare shell dpi144 twomonitors)

# The X screen every session runs on, unless its configuration says otherwise.
wine_screen=1024x768

# wine_x_screen <name>: the size of the Xvfb screen the configuration's session starts on.
wine_x_screen() {
    if declare -F "wine_x_screen_$1" >/dev/null; then
        "wine_x_screen_$1"
    else
        echo "$wine_screen"
    fi
}

# wine_prefix <name> <Windows build folder>
wine_prefix() {
    if [ "$1" = "${wine_configurations[0]}" ]; then
        echo "$2/wineprefix"
    else
        echo "$2/wineprefix-$1"
    fi
}

# wine_ctest_selection <name>: the ctest arguments that pick the configuration's tests, one a
# line.
wine_ctest_selection() {
    if [ "$1" != "${wine_configurations[0]}" ]; then
        printf '%s\n' -L "^$1\$"
        return
    fi
    local others
    others=$(IFS='|' && echo "${wine_configurations[*]:1}")
    printf '%s\n' -LE "^($others)\$"
}

# Wine straight on the X display: no taskbar, a one-pixel strip at the bottom in its place, and
# the notification area a small window of Wine's own at the top left. Wine has no media session
# of its own: the test double stands in for it (tools/media-session-double), with no session
# until a test writes its state file, so every test here runs beside a worker that finds none.
# The other configurations keep Wine's missing class.
wine_setup_bare() {
    wine reg add 'HKLM\Software\Microsoft\WindowsRuntime\ActivatableClassId\Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager' \
        /v DllPath /d "$(winepath -w "$1/bin/media-session-double.dll")" /f
}

# Wine's virtual desktop with its shell, the size of the screen: a taskbar along the bottom
# with the notification area at its right end, as users have.
wine_setup_shell() {
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f &&
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$wine_screen" /f
}

# The bare display at 144 DPI (150 % scale): the design's pixel figures one and a half times
# as large.
wine_setup_dpi144() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f
}

# Two monitors side by side: Xephyr in the Xvfb screen, with two screens joined by Xinerama.
# Wine 8 takes those for a primary monitor (0, 0)-(1024, 768) and a second one
# (1024, 0)-(1824, 600), as EnumDisplayMonitors reports them, once RANDR is off: it asks RANDR
# first, and RANDR tells of one. Xvfb alone cannot do this: its Xinerama screens all lie at (0, 0).
wine_x_screen_twomonitors() {
    echo 1900x800
}
wine_setup_twomonitors() {
    :
}
wine_display_twomonitors() {
    local number
    number=$(mktemp)
    # The server picks a free display and writes its number once it takes connections.
    Xephyr -displayfd 3 -screen 1024x768 -screen 800x600 +xinerama -extension RANDR -ac \
        -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    wine_display_pid=$!
    local tries=0
    while [ ! -s "$number" ] && [ $tries -lt 200 ] && kill -0 "$wine_display_pid" 2>/dev/null; do
        sleep 0.05
        tries=$((tries + 1))
    done
    DISPLAY=:$(head -n 1 "$number")
    rm -f "$number"
    [ "$DISPLAY" != : ] && export DISPLAY
}

# wine_session <name> <Windows build folder>: starts the configuration's own X server where it
# has one, points WINEPREFIX at the configuration's prefix, creates and sets it up as needed,
# and leaves a fresh, persistent wineserver on this display (one left from an earlier run would
# still talk to that run's display). wine_session_end ends what it started.
wine_session() {
    local name=$1 setup stamp
    wine_display_pid=
    if declare -F "wine_display_$name" >/dev/null; then
        "wine_display_$name" || return 1
    fi
    # Wine takes only an absolute path.
    WINEPREFIX=$(realpath -m "$(wine_prefix "$name" "$2")")
    export WINEPREFIX
    wineserver -k >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating the Wine prefix $WINEPREFIX" >&2
        wineboot -i >/dev/null 2>&1 || return 1
    fi
    setup="$(declare -f "wine_setup_$name") $wine_screen $(realpath -m "$2")"
    stamp=$WINEPREFIX/.tunewarden-setup
    if [ "$(cat "$stamp" 2>/dev/null)" != "$setup" ]; then
        "wine_setup_$name" "$(realpath -m "$2")" >/dev/null 2>&1 || return 1
        echo "$setup" >"$stamp"
    fi
    # The set-up's own programs started a desktop as the prefix was before: it has to go, with
    # the server, before a program may start the one the set-up asked for.
    wineserver -w || true
    wineserver -p
}

wine_session_end() {
    wineserver -k
    if [ -n "${wine_display_pid:-}" ]; then
        kill "$wine_display_pid" 2>/dev/null
        wait "$wine_display_pid" 2>/dev/null
    fi
    return 0
}
