# The CW keyer's window from Ctrl+C stands beside the log window, even after CW Setup once
# showed it modal: a call typed in the log window lands there. Ctrl+C with the keyer's
# window open behind the log window brings it to the front.
e2e_seed_work 1
e2e_start_to_main_window

# Options > Transmit > CW Setup, then "Done": 8040..9360 x 5760..6135 twips of 9600 x 6600.
e2e_key alt+o t c
e2e_wait_active "CW String Selections"
e2e_click_at 0.906 0.901
e2e_wait_active "$E2E_MAIN_TITLE*"

e2e_key ctrl+c
e2e_wait_active "CW String Selections"
e2e_screenshot ctrl-c
main=$(xdotool search --onlyvisible --name "^$E2E_MAIN_TITLE" | head -n 1)
[ -n "$main" ] || e2e_fail "no main window"
xdotool windowactivate --sync "$main" || e2e_fail "the log window cannot be reached beside the CW window"
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC

# The CW window is still open, behind: Ctrl+C brings it to the front.
xdotool search --onlyvisible --name "^CW String Selections$" >/dev/null || e2e_fail "the CW window closed"
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_key ctrl+c
e2e_wait_active "CW String Selections"
e2e_screenshot ctrl-c-behind
