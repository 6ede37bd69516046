# File > Write Submission File: the Cabrillo file written through the real "Save As" dialog;
# the program goes on after the messages and its main window still takes contacts.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC

e2e_key alt+f w
e2e_wait_active "Summary Sheet Information"
# "Write Cabrillo File": 4320..8175 x 3720..4095 twips of the 9225 x 4275 design.
e2e_click_at 0.677 0.914
e2e_wait_active "Save As"
e2e_key Return
cabrillo=$E2E_HOME/Documents/"Vexol Software"/Texas/W1AW.log
e2e_wait_active "File Written Successfully."
e2e_wait_file "$cabrillo" '^QSO: .* K5ABC '
e2e_key Return
e2e_wait_active "  Thanks!"
e2e_key Return
e2e_wait_active "Summary Sheet Information"
e2e_key space   # the focus is on "Done"
e2e_expect_running 1 "after the Cabrillo file was written"
e2e_log_contact n5xyz tarr
e2e_expect_logged N5XYZ
