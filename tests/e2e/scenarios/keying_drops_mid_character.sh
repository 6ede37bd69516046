# A signal that ends the program drops the keying line at once, in the middle of a
# character, before the orderly way out: at 2 WPM a "0" is five dahs of 1.8 s each, 11.4 s
# in all, and the line must not stay keyed until the dah, let alone the character, is out. For SIGTERM, SIGINT,
# SIGHUP and SIGQUIT each, sent while RTS of COM3 is raised for a dah: the time from the
# signal to RTS going down, from the line recorder's wall-clock stamps. SIGPIPE is ignored.
[ -n "${E2E_LINE_RECORDER:-}" ] && [ -f "$E2E_LINE_RECORDER" ] || e2e_fail "no line recorder (E2E_LINE_RECORDER)"
e2e_require socat
e2e_seed_work
socat pty,raw,echo=0,link="$E2E_TMP/com3" pty,raw,echo=0,link="$E2E_TMP/com3-far" >"$E2E_TMP/socat.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_until 10 "no pseudo-terminal for COM3" test -e "$E2E_TMP/com3"
export BREVANT_COM3=$E2E_TMP/com3
export E2E_PRELOAD=$E2E_LINE_RECORDER
# F1: dahs only, on RTS of COM3 at 2 WPM (a unit of 600 ms: a slow machine still finds the
# line raised when it sends the signal).
e2e_write_records "$E2E_WORK/CW.txt" '"0000 0000 0000"' '""' '""' '""' '""' '""' '""' '""' \
    '""' '"3"' '"2"' '""' '""' '"0"' 1 '"&H378"' 0 '"0"'

# The lines' state as recorded so far, read by the shell alone (no process is started, as
# starting one takes seconds on a loaded machine): LAST_RTS, 0 or 1, and RELEASES, how many
# times RTS was set down (each unit of a dah raises it again; a release ends the dah).
read_lines()
{
    local line
    LAST_RTS=
    RELEASES=0
    [ -f "$BREVANT_LINE_TIMES" ] || return 0
    mapfile -t LINES <"$BREVANT_LINE_TIMES"
    for line in "${LINES[@]}"; do
        case $line in
        "RTS 0 "*) LAST_RTS=0 RELEASES=$((RELEASES + 1)) ;;
        "RTS 1 "*) LAST_RTS=1 ;;
        esac
    done
}
now_us() { echo "${EPOCHREALTIME/./}"; }

# Sends the signal once the shell has seen one dah raised for 200 ms, and sets sentAt to
# the moment in nanoseconds. Between the look at the lines and the signal nothing but the
# shell runs; its pauses wait on a pipe no one writes to, as sleep is a process too.
mkfifo "$E2E_TMP/never"
exec {never}<>"$E2E_TMP/never"
signal_in_a_dah()
{
    local signal=$1 seenAt= seenReleases= now deadline=$((SECONDS + 60))
    while ((SECONDS < deadline)); do
        read_lines
        now=${EPOCHREALTIME/./}
        if [ "$LAST_RTS" = 1 ]; then
            if [ -z "$seenAt" ] || [ "$RELEASES" != "$seenReleases" ]; then
                seenAt=$now seenReleases=$RELEASES
            elif ((now - seenAt >= 200000)); then
                sentAt=${now}000
                kill -"$signal" "$E2E_PROGRAM_PID"
                return 0
            fi
        else
            seenAt=
        fi
        read -rt 0.02 -u "$never"
    done
    e2e_fail "no dah was seen raised for 200 ms"
}

for signal in TERM INT HUP QUIT; do
    export BREVANT_LINE_RECORD=$E2E_TMP/lines-$signal
    export BREVANT_LINE_TIMES=$E2E_TMP/times-$signal
    e2e_start_to_main_window
    kill -PIPE "$E2E_PROGRAM_PID"
    e2e_expect_running 0.5 "after SIGPIPE"
    e2e_key F1
    signal_in_a_dah "$signal"
    e2e_wait_until 30 "the program is still running after SIG$signal" bash -c "! kill -0 $E2E_PROGRAM_PID"
    wait "$E2E_PROGRAM_PID"
    status=$?
    [ "$status" = 0 ] || e2e_fail "SIG$signal ended the program with status $status, not through its own way out"
    # The first change of any line after the signal is RTS going down.
    first=$(awk -v t="$sentAt" '$3 >= t { print; exit }' "$BREVANT_LINE_TIMES")
    [ "${first% *}" = "RTS 0" ] || e2e_fail "after SIG$signal the first line change was '$first', not RTS down"
    downAt=${first##* }
    ms=$(((downAt - sentAt) / 1000000))
    e2e_log "SIG$signal: RTS down ${ms} ms after the signal (a dah is 1800 ms)"
    # The signal came in a dah, with at least 200 ms of it gone: finishing the dah would take
    # more than a second and the character seconds.
    [ "$(awk -v t="$sentAt" '$1 == "RTS" && $3 < t { last = $2 } END { print last }' "$BREVANT_LINE_TIMES")" = 1 ] \
        || e2e_fail "RTS was not raised when SIG$signal was sent"
    ((ms < 1000)) || e2e_fail "RTS went down ${ms} ms after SIG$signal: the keyer finished its element first"
    [ "$(grep '^RTS ' "$BREVANT_LINE_TIMES" | tail -n 1 | cut -d' ' -f2)" = 0 ] || e2e_fail "RTS raised again after SIG$signal"
    [ "$(grep '^DTR ' "$BREVANT_LINE_TIMES" | tail -n 1 | cut -d' ' -f2)" != 1 ] || e2e_fail "DTR left raised after SIG$signal"
done
