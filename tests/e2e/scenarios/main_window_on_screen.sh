# At full size the main window, title bar and frame included, covers the screen and no more.
e2e_seed_work 0 1
e2e_start_to_main_window
sleep 1
e2e_expect_window_on_screen
