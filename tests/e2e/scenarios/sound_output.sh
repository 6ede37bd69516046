# Sound through a real output where the machine has no sound card (a private sound server's
# null output), with GStreamer finding only its core elements: F1 in phone mode plays its
# wave file through the output, and the entry fields' spoken prompts play too.
e2e_seed_work 1
# Phone mode (line 9 of QSOpref.txt) and prompts for all data fields (line 22).
sed -i '9s/.*/"PH"\r/;22s/.*/2\r/' "$E2E_WORK/QSOpref.txt"
e2e_tone_wave "$E2E_WORK/cq.wav" 3000
e2e_write_records "$E2E_WORK/wave2.txt" "\"$E2E_WORK/cq.wav\"" '""' '""' '""' '""' '""' '""' '""' '""' \
    '"0"' 0 '"0"' '"&H378"'
# The received-report prompt made long enough to be seen on the server.
e2e_tone_wave "$E2E_WORK/RstRcvd.wav" 2000

gstreamer=$E2E_TMP/gstreamer-core
mkdir -p "$gstreamer"
for core in /usr/lib/*/gstreamer-1.0/libgstcoreelements.so /usr/lib/gstreamer-1.0/libgstcoreelements.so; do
    [ -e "$core" ] && ln -sf "$core" "$gstreamer/"
done
export GST_PLUGIN_SYSTEM_PATH=$gstreamer GST_PLUGIN_PATH= GST_REGISTRY=$E2E_TMP/gstreamer-registry.bin

e2e_start_sound_server
e2e_start_to_main_window
# The call field's prompt plays as the window opens, and ends (on a busy machine it may
# start late: each stream is told by the file it plays).
e2e_wait_sound_streams 0 "$E2E_STEP_TIMEOUT" Call.wav

e2e_key F1
e2e_wait_sound_streams 1 5 cq.wav
e2e_expect_running 1 "while F1 plays"
[ "$(e2e_sound_streams cq.wav)" = 1 ] || e2e_fail "the three-second message stopped within a second"
e2e_wait_sound_streams 0 8 cq.wav
e2e_expect_running 1 "after F1"

e2e_key Tab
e2e_wait_sound_streams 1 5 RstRcvd.wav
e2e_wait_sound_streams 0 8 RstRcvd.wav
e2e_expect_running 1 "after the prompt"

e2e_key ctrl+p
e2e_wait_active "Phone Wave Selections"
e2e_screenshot phone-with-sound
