# File > Archive Current Log: the save dialog cancelled and then used; the program goes on
# and its main window still takes contacts.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC

e2e_key alt+f l
e2e_wait_active "Archive Information"
e2e_key Return
e2e_wait_active "Archive Current Log"
e2e_key Escape
e2e_expect_running 1 "after the archive dialog was cancelled"
e2e_log_contact n5xyz tarr
e2e_expect_logged N5XYZ

e2e_key alt+f l
e2e_wait_active "Archive Information"
e2e_key Return
e2e_wait_active "Archive Current Log"
e2e_key Return
# The archive's name carries the time it was written: it is looked for once it is there.
archives="$E2E_HOME/Documents/Vexol Software/Texas/BACKUP/W1AW*.log"
e2e_wait_until "$E2E_STEP_TIMEOUT" "no archive W1AW*.log was written into BACKUP" \
    bash -c 'compgen -G "$0" >/dev/null' "$archives"
archive=$(compgen -G "$archives" | head -n 1)
e2e_wait_file "$archive" '^"N5XYZ",'
e2e_expect_running 1 "after the archive was written"
e2e_log_contact w5ww dall
e2e_expect_logged W5WW

# Restore: the archive (two contacts) replaces the log of three, through the open dialog.
e2e_key alt+f r
e2e_wait_active "Opening Archived Data Information"
e2e_key Return
e2e_wait_active "Are your sure?"
e2e_key Return
e2e_wait_active "Restore from Archive or Backup"
e2e_type "$archive"
e2e_key Return
e2e_wait_until 15 "log.txt was not restored from the archive" \
    bash -c '! grep -q "^\"W5WW\"," "$0"' "$E2E_WORK/log.txt"
e2e_expect_running 1 "after the restore dialog"
e2e_log_contact k5zz harr
e2e_expect_logged K5ZZ
