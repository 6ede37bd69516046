# After "Delete Contact", answered Yes or No, the keyboard is back in the call field: the
# contact typed at once is logged whole, not swallowed by the county lists.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
e2e_log_contact n5xyz tarr
e2e_expect_logged N5XYZ

# The newest contact heads the list; "Delete Contact": 3480..4800 x 5340..5715 twips of 9600 x 7200.
delete_newest()
{
    e2e_wait_active "$E2E_MAIN_TITLE*"
    e2e_click_at 0.1 0.482
    e2e_click_at 0.431 0.784
    e2e_wait_active "Are you sure?"
    e2e_key "$1"
}

delete_newest alt+y
e2e_log_contact k4mma harr
e2e_wait_file "$E2E_WORK/log.txt" '^"K4MMA","599","599","","HARR",'
grep -q '^"N5XYZ",' "$E2E_WORK/log.txt" && e2e_fail "the contact was not deleted"

delete_newest alt+n
e2e_log_contact wa7qt wall
e2e_wait_file "$E2E_WORK/log.txt" '^"WA7QT","599","599","","WALL",'
grep -q '^"K4MMA",' "$E2E_WORK/log.txt" || e2e_fail "No deleted the contact"
e2e_screenshot after-delete
