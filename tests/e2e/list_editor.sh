#!/bin/bash
# A user builds a chore list in the editor: a "Do nothing" step that waits
# "Delay in seconds" (a letter in the delay is refused first), then a step
# whose window completion is picked from the running Notepad but which then
# waits until a file is created, picked in the open-file dialog; gives
# the list a hot key, presses it, creates the file and sees the list
# complete. The list is in the chore-list file after exit.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init list_editor
{ echo "<Chores>"; runner_chore_xml Pause 17; runner_chore_xml Watch 17; echo "</Chores>"; } |
  runner_utf16 "$E2E_PROGRAM/_TolvaneChores.xml"
echo "<ChoreLists/>" | runner_utf16 "$E2E_PROGRAM/_TolvaneChoreLists.xml"
signal="$E2E_WORK/signal.txt"
e2e_set_setting promptSave 0
hk_start
e2e_start_notepad

editor="Create a new chore list"
wait_steps() {  # expected items of "Chores in list:"
  e2e_until 5 e2e_output_is "$1" e2e_control_items "$editor" 1035 || e2e_fail "steps: $(e2e_control_items "$editor" 1035)"
}
e2e_probe command 32789 || e2e_fail "could not ask for a new chore list"
e2e_wait_dialog "$editor"
e2e_wait_activity_line "Hotkey processing: DISABLED" 1

# The first chore, chosen in "Available chores:" as a user does it.
e2e_click_control "$editor" 1034
xdotool key Home
e2e_click_control "$editor" 1048
wait_steps "Pause [selected]"
# ">>" leaves the focus in "Chores in list:"; the completion type is next.
xdotool key Tab D
e2e_wait_control_text "$editor" 1046 "Delay in seconds"
e2e_type_into "$editor" 1047 "2a"
e2e_type_into "$editor" 1044 "Morning run"
e2e_click_control "$editor" 1027
xdotool key --clearmodifiers ctrl+alt+l
e2e_click_control "$editor" 1045
e2e_expect_box Tolvane "For completion type: Delay, you must enter number of seconds." "a delay with a letter"
e2e_type_into "$editor" 1047 "2"

# The second chore goes after the first; its file comes from the dialog.
e2e_click_control "$editor" 1034
xdotool key End
e2e_click_control "$editor" 1048
wait_steps $'Pause\nWatch [selected]'
# A window completion is picked with the picker, among the programs
# running; the user then thinks better of it and waits for a file.
xdotool key Tab W
e2e_wait_dialog "Select a window"
e2e_wait_control_text "Select a window" 1051 "Untitled - Notepad[class]Notepad"
e2e_click_control "Select a window" 1
e2e_wait_dialog_gone "Select a window"
e2e_wait_control_text "$editor" 1047 "Untitled - Notepad"
e2e_click_control "$editor" 1035
xdotool key Tab F
e2e_wait_dialog "Select a file for a chore completion event:"
xdotool type --delay 30 -- "$(e2e_winpath "$signal")"
xdotool key Return
e2e_wait_dialog_gone "Select a file for a chore completion event:"
e2e_wait_control_text "$editor" 1047 "$(e2e_winpath "$signal")"
e2e_click_control "$editor" 1045
e2e_wait_dialog_gone "$editor"
e2e_wait_activity_line "Hotkey processing: ENABLED" 1
tree="$(e2e_probe tree)"
grep -q "^  Morning run \[11\] selected expanded" <<<"$tree" || e2e_fail "the new list is not selected: $tree"

hk_key ctrl+alt+l
e2e_wait_activity_line "Chore list: Morning run started..." 1
e2e_wait_activity_line "Chore list: Morning run, waiting for DELAY:2 seconds" 1
e2e_wait_activity_line "Chore list: Morning run, waiting for FILE_CREATED:" 1 10
echo done >"$signal"
e2e_wait_activity_line "Chore list: Morning run completed." 1 10

e2e_end_notepad
e2e_exit_tolvane
lists="$(e2e_chore_file _TolvaneChoreLists.xml)"
ctrl_alt_l=$(((6 << 16) | 0x4C))
e2e_expect_contains "$lists" "<Chorelist name=\"Morning run\" hotKey=\"$ctrl_alt_l\">" "saved list"
e2e_expect_contains "$lists" $'<choreName>Pause</choreName>\n<compType>7</compType>\n<compData>2</compData>' "first step"
e2e_expect_contains "$lists" $'<choreName>Watch</choreName>\n<compType>3</compType>\n<compData>'"$(e2e_winpath "$signal")" \
  "second step"
