# The CW keyer window (Ctrl+C) with its help texts, and its "Send Code Practice": the code
# practice window opens on the screen, takes typed text, and its close box closes it.
e2e_seed_work 1
e2e_start_to_main_window
e2e_key ctrl+c
e2e_wait_active "CW String Selections"
e2e_screenshot cw-keyer
# "Send Code Practice" (a place as fractions of the window's inside).
e2e_click_at 0.83 0.83
e2e_wait_active "On the Air Code Practice"
e2e_expect_window_on_screen
e2e_type "cq test"
e2e_screenshot code-practice
e2e_key alt+F4
e2e_wait_active "CW String Selections"
e2e_expect_running 1
