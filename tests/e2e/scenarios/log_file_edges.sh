# The shapes an editor leaves log.txt and the settings in, on the real program:
# - a QSOpref.txt that an editor saved with a byte-order mark shows the call without it,
#   and "Done" writes the file back without it;
# - a log.txt of three records followed by an empty line takes the next contact, survives
#   a band change (a reload) and loads all four contacts at the next start.
# (log_file_cut_records.sh has the shapes a crash leaves.)
e2e_seed_work 1
record() { printf '"%s","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","","%s"' "$1" "$2"; }
records_in_log() { grep -c '^"' "$E2E_WORK/log.txt"; }

pref=$(cat "$E2E_WORK/QSOpref.txt")
printf '\xEF\xBB\xBF%s' "$pref" >"$E2E_WORK/QSOpref.txt"
printf '%s\r\n%s\r\n%s\r\n\r\n' "$(record W5AA 14.025)" "$(record W5BB 14.030)" "$(record W5CC 14.035)" \
    >"$E2E_WORK/log.txt"

e2e_start_program
e2e_wait_active " Setup Information" 30
e2e_screenshot setup-from-a-file-with-a-byte-order-mark
e2e_key Return
e2e_wait_active "Open existing log?"
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"
[ "$(head -c 6 "$E2E_WORK/QSOpref.txt")" = '"W1AW"' ] || e2e_fail "QSOpref.txt was written back with its byte-order mark"
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
[ "$(records_in_log)" -eq 4 ] || e2e_fail "log.txt does not hold the four contacts"
grep -q $'^\r$' "$E2E_WORK/log.txt" && e2e_fail "the empty line still stands between the contacts"

# Another band reloads the log.
e2e_key alt+b Down Return
e2e_wait_until 10 "the band did not change" bash -c "sed -n 10p '$E2E_WORK/QSOpref.txt' | grep -qv '\"20\"'"
e2e_expect_running 2 "after the band change reloaded the log"
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
e2e_start_to_main_window
e2e_expect_running 2 "after loading the four contacts"
