# The CW keyer with the WinKey interface chosen: its "Configure Winkey" button shows the
# keyer device's window, whose "&Done" writes WK.txt in the data folder and hides it.
e2e_seed_work
e2e_write_records "$E2E_WORK/CW.txt" '"CQ TEST"' '""' '""' '""' '""' '""' '""' '""' '""' '"0"' '"18"' '""' '""' \
    '"0"' 5 '"&H378"' 1 '"0"'
e2e_start_to_main_window
e2e_key ctrl+c
e2e_wait_active "CW String Selections"
# "Configure Winkey", in the keying options at the right.
e2e_click_at 0.831 0.437
e2e_wait_active " WinKey Setup"
e2e_expect_window_on_screen
e2e_screenshot winkey
e2e_key alt+d
e2e_wait_file "$E2E_HOME/Documents/Vexol Software/Texas/WK.txt" '^"18"'
