# Options > Voice Navigation: the spoken prompts are in the working folder, the settings
# window opens beside the log window, on the screen, and "Done" keeps "All Data Fields"
# (with a sound output; sound_missing shows what it says without one).
e2e_seed_work 1
e2e_start_sound_server
for prompt in Call RstSnt RstRcvd County SPC Dupe NavEn NavDis; do
    [ -s "$E2E_WORK/$prompt.wav" ] || e2e_fail "no $prompt.wav in the working folder"
done
e2e_start_to_main_window
e2e_key alt+o v
e2e_wait_active "Voice Navigation Settings"
e2e_expect_window_on_screen
e2e_screenshot voice-navigation
# "All Data Fields", then "Done" (places as fractions of the window's inside).
e2e_click_at 0.08 0.795
e2e_click_at 0.89 0.935
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_wait_until "$E2E_STEP_TIMEOUT" "QSOpref.txt does not keep the level" \
    bash -c "sed -n 22p '$E2E_WORK/QSOpref.txt' | grep -q '^2'"
e2e_expect_running 1
