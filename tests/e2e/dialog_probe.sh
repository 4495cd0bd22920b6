#!/bin/bash
# The dialog helpers the editors' end-to-end tests use, on real dialogs: the
# about box is found by its caption, read by control id and closed by a
# click on OK; in Notepad, text is typed into the editor and read back, a
# check box of Find is clicked, and the file types of Save As are listed
# with their selection.
source "$(dirname "$0")/lib.sh"
e2e_init dialog_probe
e2e_use_sample_chores
e2e_set_setting exitSystray 0

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_probe command 123 || e2e_fail "could not ask for the about box"
e2e_wait_dialog "About Tolvane"
e2e_expect_contains "$(e2e_control_text "About Tolvane" 1101)" "Tolvane v" "about text"
e2e_expect_contains "$(e2e_control_text "About Tolvane" 1102)" "TolvaneBho.dll v" "about text"
e2e_click_control "About Tolvane" 1
e2e_wait_dialog_gone "About Tolvane"

e2e_start_notepad
e2e_type_into "Untitled - Notepad" 0 "Tolvane was here"
e2e_wait_control_text "Untitled - Notepad" 0 "Tolvane was here"

xdotool key ctrl+f
e2e_wait_dialog "Find"
[ "$(e2e_control_checked "Find" 1041)" = "0" ] || e2e_fail "Match case starts checked"
e2e_click_control "Find" 1041
e2e_wait_checked "Find" 1041 1
e2e_type_into "Find" 1152 "was"
e2e_wait_control_text "Find" 1152 "was"
[ "$(e2e_control_enabled "Find" 1)" = "1" ] || e2e_fail "Find Next is greyed with a text to find"
xdotool key Escape
e2e_wait_dialog_gone "Find"

xdotool key ctrl+s
e2e_wait_dialog "Save As"
types="$(e2e_control_items "Save As" 1136)"
[ "$(head -1 <<<"$types")" = "Text files (*.txt) [selected]" ] || e2e_fail "file types: $types"
e2e_expect_contains "$types" "All files (*.*)" "file types"
xdotool key Escape
e2e_wait_dialog_gone "Save As"
e2e_end_notepad

e2e_exit_tolvane
