# File > Export ADIF File: the two questions and the real "Save As" dialog, answered with
# their proposals; the file lands in the data folder and the program goes on.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC

e2e_export_adif
adif=$E2E_ADIF
e2e_wait_file "$adif" '^<Call:5>K5ABC <Qso_Date:8:d>[0-9]{8} <Band:3>20M <Mode:2>CW.$'
e2e_wait_file "$adif" '^<Tx_Pwr:3>100 <Time_On:4>[0-9]{4} <DXCC:3>291 <State:2>TX <Cnty:9>TX,Harris <Cont:2>NA '
e2e_wait_file "$adif" '<Comment:26>TX State QSO Party Contest.$'
e2e_key Return
e2e_expect_running 1 "after the ADIF file was written"
e2e_log_contact n5xyz tarr
e2e_expect_logged N5XYZ
