# Edit Contact from the log list: a county typed in small letters through the dialog reaches
# log.txt in capitals and the ADIF export with its name; a duplicate made in the dialog
# offers "Delete Dupe", and answering No to "Are you sure?" keeps the contact. The program
# goes on and its main window still takes contacts.
e2e_seed_work 1
e2e_start_to_main_window
e2e_log_contact k5abc harr
e2e_expect_logged K5ABC
e2e_log_contact n5xyz tarr
e2e_expect_logged N5XYZ

# The newest contact heads the list; "Edit Contact": 2040..3360 x 5340..5715 twips of 9600 x 7200.
edit_newest()
{
    e2e_wait_active "$E2E_MAIN_TITLE*"
    e2e_click_at 0.1 0.482
    e2e_click_at 0.281 0.784
    e2e_wait_active "Edit Contact Entry"
}

edit_newest
e2e_key Tab Tab
e2e_type bexa
e2e_key Return
e2e_wait_file "$E2E_WORK/log.txt" '^"N5XYZ","599","599","","BEXA",'
e2e_expect_running 1 "after the edit was saved"

edit_newest
e2e_key ctrl+a
e2e_type k5abc
e2e_key Tab Tab
e2e_type harr
e2e_key Return
e2e_expect_window_on_screen
e2e_screenshot dupe
# "Delete Dupe": 40..775 x 1080..1575 twips of the 3255 x 4500 dialog.
e2e_click_at 0.125 0.295
e2e_wait_active "Are you sure?"
e2e_key alt+n
e2e_expect_running 1 "after Delete Dupe was answered No"
e2e_wait_file "$E2E_WORK/log.txt" '^"N5XYZ","599","599","","BEXA",'
e2e_log_contact w5ww dall
e2e_expect_logged W5WW

e2e_export_adif
e2e_wait_file "$E2E_ADIF" '<State:2>TX <Cnty:8>TX,Bexar <Cont:2>NA '
e2e_key Return
e2e_expect_running 1 "after the ADIF file was written"
