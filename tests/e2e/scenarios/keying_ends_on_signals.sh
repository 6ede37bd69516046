# SIGTERM, SIGINT, SIGHUP and SIGQUIT while the CW keyer sends on the RTS line of COM3: the program
# ends through its orderly way out, RTS and DTR dropped, the rest of the message not sent.
# The lines are recorded by the line recorder loaded into the program, COM3 being one end
# of a pseudo-terminal pair.
[ -n "${E2E_LINE_RECORDER:-}" ] && [ -f "$E2E_LINE_RECORDER" ] || e2e_fail "no line recorder (E2E_LINE_RECORDER)"
e2e_require socat
e2e_seed_work
socat pty,raw,echo=0,link="$E2E_TMP/com3" pty,raw,echo=0,link="$E2E_TMP/com3-far" >"$E2E_TMP/socat.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_until 10 "no pseudo-terminal for COM3" test -e "$E2E_TMP/com3"
export BREVANT_COM3=$E2E_TMP/com3
export E2E_PRELOAD=$E2E_LINE_RECORDER
# F1: a long message on RTS of COM3 at 12 WPM (a unit of 100 ms, about 25 s in all).
e2e_write_records "$E2E_WORK/CW.txt" '"TEST TEST TEST TEST TEST TEST TEST TEST"' '""' '""' '""' '""' '""' '""' '""' \
    '""' '"3"' '"12"' '""' '""' '"0"' 1 '"&H378"' 0 '"0"'

keyed() { grep -c '^RTS 1$' "$BREVANT_LINE_RECORD" 2>/dev/null; }
last_state() { grep "^$1 " "$BREVANT_LINE_RECORD" | tail -n 1; }

for signal in TERM INT HUP QUIT; do
    export BREVANT_LINE_RECORD=$E2E_TMP/lines-$signal
    e2e_start_to_main_window
    e2e_key F1
    # A few characters out, then the signal, in the middle of the message.
    e2e_wait_until 15 "F1 keyed nothing on RTS" bash -c "[ \"\$(grep -c '^RTS 1$' $BREVANT_LINE_RECORD)\" -ge 5 ]"
    kill -"$signal" "$E2E_PROGRAM_PID"
    e2e_wait_until 10 "the program is still running after SIG$signal" bash -c "! kill -0 $E2E_PROGRAM_PID"
    wait "$E2E_PROGRAM_PID"
    status=$?
    [ "$status" = 0 ] || e2e_fail "SIG$signal ended the program with status $status, not through its own way out"
    [ "$(last_state RTS)" = "RTS 0" ] || e2e_fail "RTS left raised after SIG$signal: $(tail -n 3 "$BREVANT_LINE_RECORD")"
    [ "$(last_state DTR)" = "DTR 0" ] || e2e_fail "DTR left raised after SIG$signal"
    # The whole message has more than 100 key-downs.
    (($(keyed) < 60)) || e2e_fail "the message went on after SIG$signal ($(keyed) key-downs)"
    e2e_log "SIG$signal: ended with status 0 after $(keyed) key-downs, RTS and DTR dropped"
done
