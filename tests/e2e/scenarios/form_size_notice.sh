# Options > Appearance > Form Size: after the input box and the "please restart" notice the
# program goes on and its main window still takes contacts.
e2e_seed_work 1
e2e_start_to_main_window
e2e_key alt+o a f
e2e_wait_active "Please enter screen percentage."
e2e_key ctrl+a
e2e_type 90
e2e_key Return
e2e_wait_active "For this setting to take effect please restart this program."
e2e_key Return
e2e_expect_running 1 "after the restart notice"
e2e_wait_file "$E2E_WORK/QSOpref.txt" '^90'
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
