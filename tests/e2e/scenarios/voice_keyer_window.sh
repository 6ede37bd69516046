# Ctrl+P shows the voice keyer on the screen; "Done" hides it and writes wave2.txt.
e2e_seed_work 1
e2e_start_to_main_window
e2e_key ctrl+p
e2e_wait_active "Phone Wave Selections"
e2e_expect_window_on_screen
e2e_screenshot phone
e2e_click_at 0.91 0.953
e2e_wait_file "$E2E_WORK/wave2.txt" '"&H378"'
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_expect_running 1 "after the voice keyer's Done"
