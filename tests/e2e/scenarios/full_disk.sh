# The log on a 64 KiB disk that fills up (a tmpfs mounted as the working folder; skipped
# where the machine does not let the test mount one): contacts are logged until one does
# not fit, which brings "Unable to write file." and leaves log.txt as it was; with space
# again, Enter logs that contact, and the next start loads exactly the logged contacts.
# Deleting a contact on the full disk says so and leaves log.txt as it was.
e2e_seed_work 1
hold=$E2E_TMP/hold
mkdir -p "$hold"
mv "$E2E_WORK"/* "$hold"/
if ! mount -t tmpfs -o size=64k tmpfs "$E2E_WORK" 2>/dev/null; then
    e2e_log "skipped: a small tmpfs cannot be mounted here (it needs root)"
    exit 77
fi
trap 'umount -l "$E2E_WORK" 2>/dev/null; e2e_cleanup' EXIT
cp "$hold"/county2.txt "$hold"/states.txt "$hold"/wave2.txt "$hold"/QSOpref.txt "$E2E_WORK"/
data="$E2E_HOME/Documents/Vexol Software/Texas"
mkdir -p "$data"
cp "$hold"/arrlpre2.txt "$data"/

# A log that nearly fills its first 4 KiB, so a few more contacts fit and then one does not.
n=0
while [ "$(stat -c %s "$E2E_WORK/log.txt" 2>/dev/null || echo 0)" -lt 3800 ]; do
    n=$((n + 1))
    printf '"W5A%d","599","599","","HARR","","","","","","","2026/04/25","17:00:00","CW","20",0,"","",""\r\n' \
        "$n" >>"$E2E_WORK/log.txt"
done
e2e_start_to_main_window
head -c 1M /dev/zero >"$E2E_WORK/filler" 2>/dev/null
[ "$(df --output=avail "$E2E_WORK" | tail -1)" -eq 0 ] || e2e_fail "the disk did not fill"

logged=()
for suffix in aa ab ac ad ae af ag ah ai aj ak al am an; do
    before=$(md5sum <"$E2E_WORK/log.txt")
    e2e_log_contact "k5$suffix" harr
    sleep 0.8
    if _e2e_active_is "Unable to write file."; then
        failed="K5${suffix^^}"
        break
    fi
    e2e_expect_logged "K5${suffix^^}"
    logged+=("K5${suffix^^}")
done
[ -n "${failed:-}" ] || e2e_fail "every contact fitted on the full disk"
((${#logged[@]} > 0)) || e2e_fail "not one contact fitted before the disk was full"
e2e_log "logged ${logged[*]}; $failed did not fit"
e2e_screenshot unable-to-write
[ "$(md5sum <"$E2E_WORK/log.txt")" = "$before" ] || e2e_fail "the failed contact changed log.txt"
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"

# Space again: Enter logs the contact still in the fields.
rm "$E2E_WORK/filler"
e2e_key Return
e2e_expect_logged "$failed"
logged+=("$failed")
[ "$(grep -c . "$E2E_WORK/log.txt")" -eq $((n + ${#logged[@]})) ] || e2e_fail "log.txt does not hold exactly the logged contacts"
for call in "${logged[@]}"; do
    [ "$(grep -c "^\"$call\"," "$E2E_WORK/log.txt")" -eq 1 ] || e2e_fail "$call is not in log.txt once"
done

# The next start loads it.
e2e_key alt+f e
e2e_expect_ended 10 "after File > Exit"
e2e_start_to_main_window
e2e_expect_running 2 "after loading the log"

# Deleting a contact on the full disk: a message, and log.txt byte for byte as it was.
head -c 1M /dev/zero >"$E2E_WORK/filler" 2>/dev/null
before=$(md5sum <"$E2E_WORK/log.txt")
# The window fills the 1280 x 1024 screen, so its controls stand at fixed points: the top
# row of the log list, then "Delete Contact", which the click on the list shows. Wait until
# the window has settled first.
geometry() { xdotool getwindowgeometry "$(xdotool getactivewindow)" 2>/dev/null | tr '\n' ' '; }
settled() { local a; a=$(geometry); sleep 0.7; [ -n "$a" ] && [ "$a" = "$(geometry)" ]; }
e2e_wait_until 15 "the main window did not settle" settled
xdotool mousemove --sync 104 505 click 1
sleep 0.5
xdotool mousemove --sync 553 805 click 1
e2e_wait_active "Are you sure?"
e2e_key Return
e2e_wait_active "Unable to write file."
e2e_screenshot delete-on-full-disk
[ "$(md5sum <"$E2E_WORK/log.txt")" = "$before" ] || e2e_fail "the failed delete changed log.txt"
e2e_key Return
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_expect_running 1 "after the failed delete"
