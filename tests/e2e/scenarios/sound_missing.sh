# No sound output at all: an operator with the spoken prompts on is told once that they
# cannot play, and the voice keyer window says that its messages cannot play.
e2e_seed_work 1
# Phone mode (line 9 of QSOpref.txt) and prompts for all data fields (line 22).
sed -i '9s/.*/"PH"\r/;22s/.*/2\r/' "$E2E_WORK/QSOpref.txt"
e2e_start_program
e2e_wait_active " Setup Information" 30
e2e_key Return
e2e_wait_active "Open existing log?"
e2e_key Return
# The call field's prompt cannot play as the log window opens.
e2e_wait_active "Voice Navigation"
e2e_screenshot prompts-cannot-play
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"
# Further prompts fail as quietly as a missing recording.
e2e_key Tab Tab
sleep 1
_e2e_active_is "$E2E_MAIN_TITLE*" || e2e_fail "told again: '$(e2e_active_title)'"

e2e_key ctrl+p
e2e_wait_active "Phone Wave Selections"
e2e_screenshot phone-without-sound
e2e_expect_running 1
