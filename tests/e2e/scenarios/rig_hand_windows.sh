# The privileges chart (Ctrl+F), the tune window (Ctrl+G) and the rig window's test window
# (its "Change Frequency" while a radio is polled) open over the main window, show their
# captions, and close again with the program still running. The radio is the Pegasus
# control program, polled through its exchange files, so no serial port is needed.
e2e_seed_work 1 0
e2e_write_records "$E2E_WORK/QSOpref.txt" '"W1AW"' '"CT"' '"United States"' '"CT"' '""' '""' '"HART"' '""' '"CW"' \
    '"20"' 0 72.7 41.7 '"NA"' 100 255 0 0 '"TX"' 1 0 0 '"Ten Tec Pegasus"' 0 0
e2e_write_records "$E2E_WORK/RigCntrl.txt" '"4800 "' '"N"' '"8"' '"2"' '""' '""' '"4800,N,8,2"' 1 '"N"' '"M"' \
    '"Ten Tec Pegasus"' 0 1 1
mkdir -p "$E2E_HOME/Pegasus"
e2e_start_to_main_window

e2e_key ctrl+f
e2e_wait_active "Frequency Privileges"
e2e_expect_window_on_screen
e2e_screenshot privileges
# "General", then "Done".
e2e_click_at 0.39 0.03
sleep 0.5
e2e_screenshot privileges-general
e2e_click_at 0.49 0.955
e2e_wait_active "$E2E_MAIN_TITLE*"

e2e_key ctrl+g
e2e_wait_active " Change Frequency and Mode (Ctrl G (Go))"
e2e_type 14.2
e2e_key Return
e2e_screenshot tune
e2e_key alt+d
e2e_wait_active "$E2E_MAIN_TITLE*"

e2e_key ctrl+r
e2e_wait_active " Rig Interface Setup"
# "Change Frequency".
e2e_click_at 0.43 0.955
e2e_wait_active "Test Change Frequency Function"
e2e_screenshot test-window
e2e_key alt+F4
e2e_wait_active " Rig Interface Setup"
e2e_expect_running 1
