# A signal that ends the program drops the keying line at once, in the middle of a
# character, before the orderly way out: at 5 WPM a "0" is five dahs of 720 ms each, 4.6 s
# in all, and the line must not stay keyed until the character is out. For SIGTERM, SIGINT,
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
# F1: dahs only, on RTS of COM3 at 5 WPM.
e2e_write_records "$E2E_WORK/CW.txt" '"0000 0000 0000"' '""' '""' '""' '""' '""' '""' '""' \
    '""' '"3"' '"5"' '""' '""' '"0"' 1 '"&H378"' 0 '"0"'

rts_keyed() { [ "$(grep '^RTS ' "$BREVANT_LINE_TIMES" 2>/dev/null | tail -n 1 | cut -d' ' -f2)" = 1 ]; }
# Each unit of a dah raises RTS again; a release ends the dah.
releases() { grep -c '^RTS 0' "$BREVANT_LINE_TIMES" 2>/dev/null; }

# Sends the signal 200 ms into a dah and sets sentAt to the moment, in nanoseconds (read by
# the shell itself: no process is started between the reading and the signal). A scheduler
# that let the dah end before the signal went (a loaded machine) makes it try the next dah.
signal_in_a_dah()
{
    local signal=$1 released
    for _ in 1 2 3 4 5 6; do
        e2e_wait_until 15 "F1 keyed nothing on RTS" rts_keyed
        released=$(releases)
        sleep 0.2
        if rts_keyed && [ "$(releases)" = "$released" ]; then
            sentAt=${EPOCHREALTIME/./}000
            kill -"$signal" "$E2E_PROGRAM_PID"
            return 0
        fi
    done
    e2e_fail "no dah lasted 200 ms after it was seen"
}

for signal in TERM INT HUP QUIT; do
    export BREVANT_LINE_RECORD=$E2E_TMP/lines-$signal
    export BREVANT_LINE_TIMES=$E2E_TMP/times-$signal
    e2e_start_to_main_window
    kill -PIPE "$E2E_PROGRAM_PID"
    e2e_expect_running 0.5 "after SIGPIPE"
    e2e_key F1
    signal_in_a_dah "$signal"
    e2e_wait_until 10 "the program is still running after SIG$signal" bash -c "! kill -0 $E2E_PROGRAM_PID"
    wait "$E2E_PROGRAM_PID"
    status=$?
    [ "$status" = 0 ] || e2e_fail "SIG$signal ended the program with status $status, not through its own way out"
    # The first change of any line after the signal is RTS going down.
    first=$(awk -v t="$sentAt" '$3 >= t { print; exit }' "$BREVANT_LINE_TIMES")
    [ "${first% *}" = "RTS 0" ] || e2e_fail "after SIG$signal the first line change was '$first', not RTS down"
    downAt=${first##* }
    ms=$(((downAt - sentAt) / 1000000))
    e2e_log "SIG$signal: RTS down ${ms} ms after the signal (a dah is 720 ms)"
    # Finishing the dah would take 520 ms more, the character seconds.
    ((ms < 400)) || e2e_fail "RTS went down ${ms} ms after SIG$signal: the keyer finished its element first"
    [ "$(grep '^RTS ' "$BREVANT_LINE_TIMES" | tail -n 1 | cut -d' ' -f2)" = 0 ] || e2e_fail "RTS raised again after SIG$signal"
    [ "$(grep '^DTR ' "$BREVANT_LINE_TIMES" | tail -n 1 | cut -d' ' -f2)" != 1 ] || e2e_fail "DTR left raised after SIG$signal"
done
