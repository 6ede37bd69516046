# The shapes a crash or an editor leaves the end of log.txt in, on the real program:
# - a log.txt cut inside its last frequency value loads with "Unfinished Contact Removed",
#   takes the next contact, and loads at the next start;
# - a log.txt whose last line lost its line end in an editor takes the next contact on a
#   line of its own, and loads at the next start;
# - File > New with a file named BACKUP in the data folder (so the erased log could not be
#   copied) leaves log.txt as it was and says why.
e2e_seed_work 1
data="$E2E_HOME/Documents/Vexol Software/Texas"
record() { printf '"%s","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","","%s"' "$1" "$2"; }
records_in_log() { grep -c '^"' "$E2E_WORK/log.txt"; }

# A copy cut off inside the last frequency value.
cut=$(record W5DD 14.040)
printf '%s\r\n%s\r\n%s' "$(record W5AA 14.025)" "$(record W5BB 14.030)" "${cut%.040\"}" >"$E2E_WORK/log.txt"
e2e_start_program
e2e_wait_active " Setup Information" 30
e2e_key Return
e2e_wait_active "Open existing log?"
e2e_key Return
e2e_wait_active "Unfinished Contact Removed"
e2e_screenshot unfinished-contact-removed
e2e_key Return
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
[ "$(records_in_log)" -eq 3 ] || e2e_fail "log.txt does not hold the two whole contacts and the new one"
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
e2e_start_to_main_window
e2e_expect_running 2 "after loading the log with the cut contact removed"
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"

# A last line without its line end, and no BACKUP folder to copy into.
printf '"W5ZZ","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","",""' \
    >"$E2E_WORK/log.txt"
rm -rf "$data/BACKUP"
echo "not a folder" >"$data/BACKUP"

e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
[ "$(records_in_log)" -eq 2 ] || e2e_fail "the contact was not written on a line of its own"

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

