#!/bin/bash
# The chore wizard as a user walks it: a Start Menu shortcut becomes a chore
# that starts notepad ("Test" runs it); keys typed into notepad while the
# wizard captures become a chore list with a hot key, which types them
# again; a second capture of the same keys adds its list but no second key
# chore.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init wizard_chores

wizard="Chore Wizard"
pad="Untitled - Notepad"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting defaultDelay 1

# An installer's shortcut in all users' Start Menu.
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Accessories"
mkdir -p "$menu"
e2e_probe shortcut "$(e2e_winpath "$menu/Notepad.lnk")" 'C:\windows\system32\notepad.exe' ||
  e2e_fail "could not make the Start Menu shortcut"

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started

# The wizard's results are stored when it has closed, and then hot keys
# come back: "Hotkey processing: ENABLED" once per wizard.
wizards=0
open_wizard() {
  wizards=$((wizards + 1))
  e2e_probe command 32798 || e2e_fail "could not ask for the wizard"
  e2e_wait_dialog "$wizard"
  e2e_wait_control_text "$wizard" 3100 "Step 1 - Specify the type of chore"
}

finish_wizard() {
  e2e_click_control "$wizard" 1
  e2e_wait_dialog_gone "$wizard"
  e2e_wait_activity_line "Hotkey processing: ENABLED" "$wizards"
}

# Launch: All Users > Programs > Accessories > Notepad, tested, then added.
open_wizard
e2e_click_control "$wizard" 1
e2e_wait_control_text "$wizard" 3100 "Step 2 - Select a program to launch"
e2e_click_control "$wizard" 1076
e2e_probe menu 5 || e2e_fail "the All Users menu did not open"
xdotool key Down Right Right Return
e2e_wait_control_text "$wizard" 1077 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Accessories\Notepad.lnk'
e2e_click_control "$wizard" 1
e2e_wait_control_text "$wizard" 3100 "Step 3 - Specify chore name and hotkey"
e2e_wait_control_text "$wizard" 1044 "Notepad"
[ "$(e2e_control_text "$wizard" 1)" = "Finish" ] || e2e_fail "the last page's button is not Finish"
e2e_click_control "$wizard" 3
e2e_wait_dialog "$pad" 20
e2e_wait_activity_line "Chore done: Notepad, CHORE_RUN:"
e2e_probe raise-dialog "$wizard"
finish_wizard
e2e_probe tree | grep -q '^  Notepad \[3\]' || e2e_fail "the launch chore is not in the tree: $(e2e_probe tree)"

# Capture: keys typed into notepad become a list with a hot key; its key
# chores go into the library once, however often the same keys are
# captured.
capture_hi() {  # name: ends on the last page with the name given
  open_wizard
  e2e_click_control "$wizard" 1085
  e2e_click_control "$wizard" 1
  e2e_wait_control_text "$wizard" 3100 "Step 2 - Specify keystroke(s) to simulate"
  # The window list opens with the page: a click closes it, Down picks
  # the window after "Start Menu".
  e2e_expect_contains "$(e2e_control_items "$wizard" 1051)" "$pad" "the window list"
  e2e_click_control "$wizard" 1051
  for _ in 1 2 3 4 5; do
    [ "$(e2e_control_text "$wizard" 1051)" = "$pad" ] && break
    xdotool key Down
    sleep 0.3
  done
  e2e_wait_control_text "$wizard" 1051 "$pad"
  e2e_click_control "$wizard" 1085
  e2e_wait_control_text "$wizard" 1085 "STOP Capture"
  [ "$(e2e_control_enabled "$wizard" 3101)" = "0" ] || e2e_fail "<< Back is not greyed while capturing"
  # The capture brought notepad to the front; keys from the X server
  # reach its editor once it has been clicked (Wine's desktop).
  e2e_click_control "$pad" 0
  xdotool key h i Return ctrl+shift+Right
  e2e_wait_control_text "$wizard" 1079 "H, I, Enter"
  e2e_wait_control_text "$wizard" 1085 "Start Capture"
  e2e_click_control "$wizard" 1
  e2e_wait_control_text "$wizard" 3100 "Step 3 - Specify chore name and hotkey"
  e2e_wait_control_text "$wizard" 1044 "StartMenuChoreList_"
  e2e_type_into "$wizard" 1044 "$1"
  e2e_wait_control_text "$wizard" 1044 "$1"
  # Enter in the name does not finish: only "Finish" does.
  xdotool key Return
  e2e_wait_control_text "$wizard" 1044 "$1"
}

capture_hi "Type hi"
e2e_click_control "$wizard" 1027
xdotool key ctrl+alt+h
finish_wizard
# The keys reached notepad while they were captured.
e2e_wait_control_text "$pad" 0 "hi"
e2e_expect_contains "$(e2e_probe tree)" "    _Wiz+Enter [5]" "the list's last step"
e2e_probe raise-dialog "$pad"
e2e_click_control "$pad" 0
xdotool key ctrl+Home ctrl+shift+End BackSpace
e2e_wait_control_text "$pad" 0 ""
hk_key ctrl+alt+h
e2e_wait_activity_line "Chore list: Type hi completed." 1 30
e2e_wait_control_text "$pad" 0 "hi"

# "Test" runs the list unseen under its own name and is "Test" again after.
capture_hi "Type hi again"
e2e_click_control "$wizard" 3
e2e_wait_activity_line "Chore list: _Wiz+Test completed." 1 30
e2e_wait_control_text "$wizard" 3 "Test"
# The hot key's "hi", the captured one and the tested one.
e2e_wait_control_text "$pad" 0 "hi
hi
hi"
e2e_probe raise-dialog "$wizard"
finish_wizard
tree="$(e2e_probe tree)"
e2e_expect_contains "$tree" "  Type hi again [11]" "the second list"
for chore in _WizRun_Untitled _Wiz+WndCreated _Wiz+Delay _Wiz+H _Wiz+I _Wiz+Enter; do
  [ "$(grep -c "^  $chore[ \[]" <<<"$tree")" = "1" ] || e2e_fail "chore $chore is not in the library once: $tree"
done

e2e_end_notepad
e2e_exit_tolvane
