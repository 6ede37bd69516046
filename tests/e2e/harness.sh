# End-to-end harness: runs the built program on its own virtual X display, under a window
# manager, with the real Qt dialogs, and drives it with X key events as an operator would.
#
# A scenario is a bash file in scenarios/; run.sh sources this file and then the scenario,
# whose steps call the e2e_* functions below. Any failed step ends the scenario with a
# message, a screenshot and the program's output. Every wait is bounded.
#
# Environment set for a scenario: E2E_PROGRAM (the built program), E2E_DATA (the shipped
# data/ folder), E2E_WORK (the scenario's working folder), E2E_HOME (its home folder),
# E2E_ARTIFACTS (where screenshots go). The program has no sound output unless the scenario
# starts a sound server of its own (e2e_start_sound_server) before it.

set -uo pipefail

E2E_HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_PIDS=()
E2E_PROGRAM_PID=
E2E_SCREEN=${E2E_SCREEN:-1280x1024x24}
E2E_STEP_TIMEOUT=${E2E_STEP_TIMEOUT:-15}
E2E_MAIN_TITLE="Vexol's Brevant Log"

e2e_log() { printf '[e2e %s] %s\n' "$(date +%T)" "$*"; }

e2e_fail()
{
    printf 'E2E FAILURE: %s\n' "$*" >&2
    e2e_screenshot failure >&2 || true
    if [ -n "${E2E_TMP:-}" ] && [ -s "$E2E_TMP/program.out" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$E2E_TMP/program.out" >&2
    fi
    exit 1
}

e2e_cleanup()
{
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null && { timeout 5 tail --pid="$pid" -f /dev/null 2>/dev/null || kill -9 "$pid" 2>/dev/null; }
    done
    [ -n "${E2E_TMP:-}" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_TMP"
    return 0
}

e2e_require()
{
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null \
            || e2e_fail "'$tool' is not installed; ./test installs it (tools/setup-deps.sh)"
    done
}

# Polls a command until it succeeds; fails the scenario after the timeout with the message.
e2e_wait_until()
{
    local seconds=$1 message=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || e2e_fail "$message (waited ${seconds}s)"
        sleep 0.2
    done
}

# ---- the display ----

e2e_start_display()
{
    e2e_require Xvfb xdotool openbox xprop xwininfo
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/brevant-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    # -displayfd lets the server take the first free display number, so runs side by side
    # never meet on one display.
    local fifo=$E2E_TMP/displayfd
    mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset 9>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local number=
    read -r -t 20 number <"$fifo" || true
    [ -n "$number" ] || e2e_fail "Xvfb did not start: $(tail -n 5 "$E2E_TMP/xvfb.log" 2>/dev/null)"
    export DISPLAY=:$number
    unset WAYLAND_DISPLAY XAUTHORITY
    e2e_log "Xvfb on $DISPLAY ($E2E_SCREEN)"

    openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_until 20 "the window manager did not start: $(tail -n 5 "$E2E_TMP/wm.log" 2>/dev/null)" \
        bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    export E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_TMP}
}

e2e_screenshot()
{
    local name=$1
    [ -n "${DISPLAY:-}" ] && command -v import >/dev/null || return 0
    mkdir -p "$E2E_ARTIFACTS"
    local file=$E2E_ARTIFACTS/${E2E_SCENARIO:-e2e}-$name.png
    timeout 10 import -window root "$file" 2>/dev/null && echo "screenshot: $file"
}

# ---- the working folder ----

# A working folder with the shipped files and a complete station setup, so the program
# starts straight through to the main window. $1: 1 for an operator outside Texas (the
# default), 0 inside; $2: 1 for a rover.
e2e_seed_work()
{
    local outOfState=${1:-1} rover=${2:-0}
    E2E_WORK=$E2E_TMP/work
    E2E_HOME=$E2E_TMP/home
    mkdir -p "$E2E_WORK" "$E2E_HOME"
    cp "$E2E_DATA"/*.txt "$E2E_DATA"/*.wav "$E2E_WORK"/
    local call=W1AW spc=CT county=HART
    if [ "$outOfState" = 0 ]; then
        call=K5TX spc=TX county=TRAV
    fi
    # One value a line, CR LF; the clock runs in UTC, so the stored offset 0 asks nothing.
    e2e_write_records "$E2E_WORK/QSOpref.txt" "\"$call\"" "\"$spc\"" '"United States"' "\"$spc\"" '""' '""' \
        "\"$county\"" '""' '"CW"' '"20"' 0 72.7 41.7 '"NA"' 100 255 0 0 '"TX"' "$outOfState" "$rover" 0 \
        '"None"' 0 0
    export E2E_WORK E2E_HOME
}

e2e_write_records()
{
    local file=$1
    shift
    printf '%s\r\n' "$@" >"$file"
}

# ---- the program ----

e2e_start_program()
{
    [ -x "$E2E_PROGRAM" ] || e2e_fail "the program $E2E_PROGRAM is not built"
    # Without a server of the scenario's own, no sound output: never the user's server, nor
    # one started behind the scenario's back.
    export PULSE_SERVER=${PULSE_SERVER:-unix:$E2E_TMP/no-sound-server}
    (
        cd "$E2E_WORK" || exit 1
        # The real platform: the X display, the real dialogs; nothing of the headless tests.
        # A sanitized build writes each report to a file of its own, which fails the scenario.
        exec env HOME="$E2E_HOME" XDG_CONFIG_HOME="$E2E_HOME/.config" XDG_RUNTIME_DIR="$E2E_TMP/runtime" \
            TZ=UTC LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=0 \
            ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$E2E_TMP/sanitizer${E2E_PRELOAD:+:verify_asan_link_order=0}" \
            UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:log_path=$E2E_TMP/sanitizer" \
            LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$E2E_HARNESS_DIR/leak-suppressions.txt:print_suppressions=0" \
            ${E2E_PRELOAD:+LD_PRELOAD="$E2E_PRELOAD"} "$E2E_PROGRAM"
    ) >"$E2E_TMP/program.out" 2>&1 &
    E2E_PROGRAM_PID=$!
    E2E_PIDS+=("$E2E_PROGRAM_PID")
    mkdir -p "$E2E_TMP/runtime" && chmod 700 "$E2E_TMP/runtime"
    e2e_log "program started (pid $E2E_PROGRAM_PID)"
}

# Fails when a sanitized build of the program reported a memory fault, a leak or undefined
# behaviour in any of its runs.
e2e_expect_no_sanitizer_reports()
{
    # A program still running is ended first: leaks are reported as it exits.
    if e2e_program_running; then
        kill "$E2E_PROGRAM_PID"
        timeout 20 tail --pid="$E2E_PROGRAM_PID" -f /dev/null
    fi
    local reports=("$E2E_TMP"/sanitizer.*)
    [ -e "${reports[0]}" ] || return 0
    head -n 60 "${reports[@]}" >&2
    e2e_fail "the sanitizers reported faults in the program (above)"
}

e2e_program_running() { [ -n "$E2E_PROGRAM_PID" ] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; }

e2e_expect_running()
{
    sleep "${1:-1}"
    e2e_program_running || e2e_fail "the program has ended ${2:-}"
}

e2e_expect_ended()
{
    local seconds=${1:-10}
    # A sanitized program looks through its whole heap for leaks as it ends.
    [ -n "${E2E_SANITIZED:-}" ] && seconds=$((seconds * 3))
    e2e_wait_until "$seconds" "the program is still running ${2:-}" bash -c "! kill -0 $E2E_PROGRAM_PID"
    wait "$E2E_PROGRAM_PID" 2>/dev/null
    e2e_log "program ended"
}

# ---- windows and keys ----

e2e_active_title() { xdotool getactivewindow getwindowname 2>/dev/null; }

_e2e_active_is() { [[ "$(e2e_active_title)" == $1 ]]; }

# Waits until the active window's title matches the glob pattern $1.
e2e_wait_active()
{
    local pattern=$1 seconds=${2:-$E2E_STEP_TIMEOUT}
    local deadline=$((SECONDS + seconds))
    until _e2e_active_is "$pattern"; do
        e2e_program_running || e2e_fail "the program ended while waiting for the window '$pattern'"
        ((SECONDS < deadline)) || e2e_fail "no active window '$pattern' (active: '$(e2e_active_title)')"
        sleep 0.2
    done
    # Let the window take its focus and finish painting before keys reach it.
    sleep 0.4
    e2e_log "active: $(e2e_active_title)"
}

# Keys by their X names (Return, Tab, Escape, alt+f, ...) to the focused window.
e2e_key()
{
    e2e_program_running || e2e_fail "the program ended before the keys $*"
    xdotool key --clearmodifiers --delay 80 "$@"
}

# Text typed key by key to the focused window.
e2e_type()
{
    e2e_program_running || e2e_fail "the program ended before typing '$1'"
    xdotool type --clearmodifiers --delay 80 -- "$1"
}

# X, Y, WIDTH, HEIGHT: the inside of window $1 on the screen (xwininfo's, which unlike
# xdotool's does not count the frame twice).
e2e_window_geometry()
{
    local info
    info=$(xwininfo -id "$1") || e2e_fail "no window $1"
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
    HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# Clicks the active window at a point given as fractions of its inside (0..1 each way).
e2e_click_at()
{
    local fx=$1 fy=$2 win
    win=$(xdotool getactivewindow) || e2e_fail "no active window to click"
    e2e_window_geometry "$win"
    local x y
    x=$(awk -v o="$X" -v s="$WIDTH" -v f="$fx" 'BEGIN { printf "%d", o + s * f }')
    y=$(awk -v o="$Y" -v s="$HEIGHT" -v f="$fy" 'BEGIN { printf "%d", o + s * f }')
    xdotool mousemove --sync "$x" "$y" click 1
}

# Fails unless the active window, with the frame the window manager gives it, lies wholly
# on the screen.
e2e_expect_window_on_screen()
{
    local win extents left right top bottom screen_w screen_h
    win=$(xdotool getactivewindow) || e2e_fail "no active window"
    e2e_window_geometry "$win"
    extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    read -r screen_w screen_h < <(xdotool getdisplaygeometry)
    local x0=$((X - left)) y0=$((Y - top)) x1=$((X + WIDTH + right)) y1=$((Y + HEIGHT + bottom))
    ((x0 >= 0 && y0 >= 0 && x1 <= screen_w && y1 <= screen_h)) \
        || e2e_fail "the window '$(e2e_active_title)' reaches off the screen: frame $x0,$y0 to $x1,$y1 on ${screen_w}x${screen_h}"
    e2e_log "window on screen: frame $x0,$y0 to $x1,$y1"
}

# Starts the program and answers the start-up: "Done" in the station setup and "Yes" to
# "Open existing log?"; returns with the main window active.
e2e_start_to_main_window()
{
    e2e_start_program
    e2e_wait_active " Setup Information" 30
    e2e_key Return
    e2e_wait_active "Open existing log?"
    e2e_key Return
    e2e_wait_active "$E2E_MAIN_TITLE*"
}

# ---- sound ----

# A private sound server with a null output, like the tests' own (tests/support/SoundServer.cpp):
# the program started after this plays through it.
e2e_start_sound_server()
{
    e2e_require pulseaudio pactl
    local runtime=$E2E_TMP/sound
    mkdir -p "$runtime" && chmod 700 "$runtime"
    printf '%s\n' 'load-module module-null-sink sink_name=null' \
        'load-module module-null-source source_name=silence' \
        'load-module module-loopback source=silence sink=null latency_msec=20' \
        "load-module module-native-protocol-unix auth-anonymous=1 socket=$runtime/native" \
        'set-default-sink null' >"$runtime/server.pa"
    env -u PULSE_SERVER -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
        XDG_CONFIG_HOME="$runtime/config" PULSE_STATE_PATH="$runtime/state" \
        pulseaudio -n -F "$runtime/server.pa" --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        --disable-shm=yes --log-target=stderr --log-level=warning >"$runtime/server.log" 2>&1 &
    E2E_PIDS+=($!)
    export PULSE_SERVER=unix:$runtime/native
    e2e_wait_until 15 "the sound server did not start: $(tail -n 5 "$runtime/server.log" 2>/dev/null)" pactl info
    e2e_log "sound server at $PULSE_SERVER"
}

# How many streams of the program the sound server plays now.
e2e_sound_streams()
{
    local name=${1:-}
    if [ -n "$name" ]; then
        pactl list sink-inputs 2>/dev/null | grep -c "media.name = \"$name\"" || true
    else
        pactl list sink-inputs 2>/dev/null | grep -c "application.name = \"Brevant Log\"" || true
    fi
}

# Waits until the program has $1 streams on the sound server (within $2 seconds), or $1
# streams of the file named $3 (each stream carries the name of the file it plays).
e2e_wait_sound_streams()
{
    local count=$1 seconds=${2:-$E2E_STEP_TIMEOUT} name=${3:-}
    local deadline=$((SECONDS + seconds))
    until [ "$(e2e_sound_streams "$name")" = "$count" ]; do
        e2e_program_running || e2e_fail "the program ended while waiting for $count sound streams ${name:+of $name}"
        ((SECONDS < deadline)) || e2e_fail "the program has $(e2e_sound_streams "$name") sound streams ${name:+of $name}, not $count"
        sleep 0.1
    done
    e2e_log "sound streams of the program${name:+ playing $name}: $count"
}

# Writes a wave file of a square tone $2 milliseconds long (8-bit mono, 8000 frames a second).
e2e_tone_wave()
{
    local file=$1 bytes=$(($2 * 8)) cycle i
    _e2e_le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }
    cycle=$(printf '\xa0%.0s' 1 2 3 4 5 6 7 8)$(printf '\x60%.0s' 1 2 3 4 5 6 7 8)
    {
        printf "RIFF$(_e2e_le32 $((36 + bytes)))WAVEfmt $(_e2e_le32 16)"
        printf "\\x01\\x00\\x01\\x00$(_e2e_le32 8000)$(_e2e_le32 8000)\\x01\\x00\\x08\\x00data$(_e2e_le32 "$bytes")"
        for ((i = 0; i < bytes / 16; i++)); do printf '%s' "$cycle"; done
    } >"$file"
}

# ---- files ----

# Waits until file $1 exists and holds the bytes matching the extended regex $2.
e2e_wait_file()
{
    local file=$1 pattern=${2:-.} seconds=${3:-$E2E_STEP_TIMEOUT}
    e2e_wait_until "$seconds" "$file does not hold /$pattern/" grep -Eq -- "$pattern" "$file"
}

# ---- the log ----

# Keys one contact into the out-of-state main window (call, report received, county) and
# logs it with Enter, as an operator does.
e2e_log_contact()
{
    local call=$1 county=$2
    e2e_wait_active "$E2E_MAIN_TITLE*"
    e2e_type "$call"
    e2e_key Tab
    e2e_type 599
    e2e_key Tab
    e2e_type "$county"
    e2e_key Return
}

# File > Export ADIF File with the proposed power, comment and file: the file lands in the
# data folder (its path in E2E_ADIF); the closing message stays up for the caller to read.
E2E_ADIF=
e2e_export_adif()
{
    e2e_key alt+f a
    e2e_wait_active "Please enter your transmitter output power."
    e2e_key Return
    e2e_wait_active "Please enter a comment."
    e2e_key Return
    e2e_wait_active "Save As"
    e2e_key Return
    e2e_wait_active "File Written Successfully."
    E2E_ADIF=$E2E_HOME/Documents/"Vexol Software"/Texas/TX.adi
}

# Waits until log.txt holds a contact with the call (upper case), and shows the program still runs.
e2e_expect_logged()
{
    e2e_wait_file "$E2E_WORK/log.txt" "^\"$1\","
    e2e_program_running || e2e_fail "the program ended after logging $1"
    e2e_log "logged $1"
}
