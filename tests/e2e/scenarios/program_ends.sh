# The run ends where the operator ends it, and only there: closing the main window, and
# File > Exit. The help window closing before does not end it.
e2e_seed_work 1
e2e_start_to_main_window
e2e_key alt+h
e2e_wait_active "*Help*"
e2e_key alt+F4
e2e_expect_running 1 "after the help window closed"
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
e2e_key alt+F4
e2e_expect_ended 10 "after its main window was closed"

e2e_start_to_main_window
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
