# A first start in a fresh working folder, as the README tells it: one "Error opening file"
# box (no station yet), the empty station setup, and after "Done" the log window.
e2e_seed_work 1
rm "$E2E_WORK/QSOpref.txt"
e2e_start_program
e2e_wait_active "Error opeining file" 30
e2e_key Return
e2e_wait_active " Setup Information"
e2e_type w5abc
e2e_key Return
e2e_wait_active "Open existing log?"
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_wait_file "$E2E_WORK/QSOpref.txt" '^"W5ABC"'
e2e_log_contact k5zz harr
e2e_expect_logged K5ZZ
