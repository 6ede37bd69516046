# An in-state rover on a county line: "County Change for Rovers" opens with the focus in its
# county field, so the counties typed at once reach the list, and the next contact is
# logged once for each county of the line.
e2e_seed_work 0 1
e2e_start_to_main_window
e2e_key alt+n
e2e_wait_active "County Change"
e2e_key alt+r
e2e_wait_active "County Change for Rovers"
e2e_type harr
e2e_key Return
e2e_type trav
e2e_key Return
e2e_key alt+d
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_wait_file "$E2E_WORK/QSOpref.txt" '^"HARR"'

# Call, report received, state, county: logged with HARR sent, then copied with TRAV sent.
e2e_type k5abc
e2e_key Tab
e2e_type 599
e2e_key Tab
e2e_type tx
e2e_key Tab
e2e_type dall
e2e_key Return
e2e_wait_file "$E2E_WORK/log.txt" '^"K5ABC",.*"TRAV"'
lines=$(grep -c '^"K5ABC",' "$E2E_WORK/log.txt")
[ "$lines" = 2 ] || e2e_fail "the contact was logged $lines times, not once for each of the 2 counties"
grep -q '^"K5ABC",.*"HARR"' "$E2E_WORK/log.txt" || e2e_fail "no copy with HARR sent: $(cat "$E2E_WORK/log.txt")"
e2e_expect_running 1 "after the county-line logging"
