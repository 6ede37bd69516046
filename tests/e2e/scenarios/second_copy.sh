# One working folder, one running copy. A second copy started on the folder of a running
# one says so and ends without touching a file: the log the first copy keeps is byte for
# byte as it was and the first copy goes on logging. A copy killed outright leaves nothing
# that stops the next start.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
first=$E2E_PROGRAM_PID

folder_state() { (cd "$E2E_WORK" && find . -type f -printf '%p %s %T@\n' | sort && md5sum log.txt); }
before=$(folder_state)

e2e_start_program
e2e_wait_active "Brevant Log"
e2e_screenshot refused
e2e_key Return
e2e_expect_ended 10 "after the second copy was told another one runs"
grep -q "Another copy of Brevant Log is already running in this folder." "$E2E_TMP/program.out" \
    || e2e_fail "the second copy did not say why it ended: $(cat "$E2E_TMP/program.out")"
[ "$(folder_state)" = "$before" ] || e2e_fail "the second copy changed the working folder:
$(diff <(echo "$before") <(folder_state))"

# The first copy still has its window and logs on.
E2E_PROGRAM_PID=$first
e2e_program_running || e2e_fail "the first copy ended along with the second"
main=$(xdotool search --onlyvisible --name "^$E2E_MAIN_TITLE" | head -n 1)
[ -n "$main" ] || e2e_fail "the first copy's main window is gone"
xdotool windowactivate --sync "$main"
e2e_log_contact w5xyz dall
e2e_expect_logged W5XYZ

# Killed outright, it leaves its lock file; the next start takes the folder all the same.
kill -9 "$first"
timeout 10 tail --pid="$first" -f /dev/null
e2e_start_to_main_window
e2e_log_contact n5new tarr
e2e_expect_logged N5NEW
e2e_wait_file "$E2E_WORK/log.txt" '^"K5ABC",'
e2e_wait_file "$E2E_WORK/log.txt" '^"W5XYZ",'
