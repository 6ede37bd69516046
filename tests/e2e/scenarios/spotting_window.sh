# The spotting window against our own cluster on 127.0.0.1: Ctrl+D shows it, already
# connected from its saved settings; the call typed in the send box answers the cluster's
# prompt, its spots arrive; Done lays out the main window's spot list (E2E_SPOT_DISPLAY=band
# for the band map) and saves PackSpot.txt.
e2e_require python3
e2e_seed_work 1
cluster=$(dirname "$E2E_DATA")/tools/fake_cluster/cluster.py
python3 "$cluster" "$E2E_TMP/cluster.port" >"$E2E_TMP/cluster.out" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_until 30 "the cluster did not start" test -s "$E2E_TMP/cluster.port"
port=$(cat "$E2E_TMP/cluster.port")
list='#TRUE#'
[ "${E2E_SPOT_DISPLAY:-list}" = band ] && list='#FALSE#'
e2e_write_records "$E2E_WORK/PackSpot.txt" '"9600"' '"N"' '"8"' '"1"' 1 '"N"' '"Telnet"' 0 3 0 "$list" '"03"' \
    "\"$port\"" '"127.0.0.1"'

e2e_start_to_main_window
e2e_key ctrl+d
e2e_wait_active " DX Spotting Setup"
sleep 1
e2e_expect_window_on_screen
e2e_type "W1AW"
e2e_key Return
sleep 2
e2e_screenshot spotting
e2e_key alt+d
e2e_wait_active "$E2E_MAIN_TITLE*"
e2e_wait_file "$E2E_WORK/PackSpot.txt" '"Telnet"'
sleep 1
e2e_screenshot main
