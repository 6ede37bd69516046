# With a file named BACKUP in the data folder (so no copy can be written into it), a log.txt
# whose last line was cut after a megabyte of one value loads its whole records at once with
# a box of a normal size on the screen, is not cut, takes no contact after the cut line, and
# once BACKUP can be written it sets the line aside and takes the contact.
e2e_seed_work 1
data="$E2E_HOME/Documents/Vexol Software/Texas"
record() { printf '"%s","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","","%s"' "$1" "$2"; }
records_in_log() { grep -c '^"' "$E2E_WORK/log.txt"; }
mkdir -p "$data"
rm -rf "$data/BACKUP"
echo "not a folder" >"$data/BACKUP"

{ printf '%s\r\n%s\r\n"W5HUGE","' "$(record W5AA 14.025)" "$(record W5BB 14.030)"; head -c 1048576 /dev/zero | tr '\0' x; } \
    >"$E2E_WORK/log.txt"
before=$(md5sum <"$E2E_WORK/log.txt")
e2e_start_program
e2e_wait_active " Setup Information" 30
e2e_key Return
e2e_wait_active "Open existing log?"
askedAt=${EPOCHREALTIME/./}
e2e_key Return
e2e_wait_active "Unfinished Contact Removed"
e2e_log "the box for a 1 MB cut line was active $(((${EPOCHREALTIME/./} - askedAt) / 1000)) ms after the answer, the harness's own steps included"
e2e_expect_window_on_screen
e2e_screenshot megabyte-cut-line-without-backup
[ "$(md5sum <"$E2E_WORK/log.txt")" = "$before" ] || e2e_fail "log.txt was cut without its copy in BACKUP"
e2e_key Return
e2e_log_contact k5new harr
e2e_wait_active "Unable to write file."
e2e_key Return
[ "$(md5sum <"$E2E_WORK/log.txt")" = "$before" ] || e2e_fail "a contact was written after the cut line"
rm -f "$data/BACKUP"
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_key Return
e2e_expect_logged K5NEW
[ "$(records_in_log)" -eq 3 ] || e2e_fail "log.txt does not hold the two whole contacts and the new one"
grep -q W5HUGE "$E2E_WORK/log.txt" && e2e_fail "the cut line is still in log.txt"
grep -lq W5HUGE "$data/BACKUP"/* || e2e_fail "BACKUP holds no copy with the cut line"
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
