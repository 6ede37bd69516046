# Two ways the log could be lost, on the real program:
# - a log.txt whose last line lost its line end in an editor takes the next contact on a
#   line of its own, and loads at the next start;
# - File > New with a file named BACKUP in the data folder (so the erased log could not be
#   copied) leaves log.txt as it was and says why.
e2e_seed_work 1
printf '"W5ZZ","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","",""' \
    >"$E2E_WORK/log.txt"
data="$E2E_HOME/Documents/Vexol Software/Texas"
mkdir -p "$data"
echo "not a folder" >"$data/BACKUP"

e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
[ "$(grep -c '^"' "$E2E_WORK/log.txt")" -eq 2 ] || e2e_fail "the contact was not written on a line of its own"

e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
e2e_start_to_main_window
e2e_expect_running 2 "after loading the edited log"

before=$(md5sum <"$E2E_WORK/log.txt")
e2e_key alt+f n
e2e_wait_active "WARNING - Your existing log file will be ERASED!"
e2e_type YES
e2e_key Return
e2e_wait_active "Unable to write file."
e2e_screenshot new-without-backup
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"
[ "$(md5sum <"$E2E_WORK/log.txt")" = "$before" ] || e2e_fail "File > New changed log.txt without its copy"
e2e_expect_running 1 "after File > New was refused"
