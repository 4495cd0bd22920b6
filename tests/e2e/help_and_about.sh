#!/bin/bash
# F1 in the main window opens the help file in an HTML Help window, and
# Help, User Manual opens it again once closed; Help, About Tolvane shows
# the program's and the companion's versions, F1 there opens help too, and
# asking for the box again while it shows opens no second one.
source "$(dirname "$0")/lib.sh"
e2e_init help_and_about
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
: "${TOLVANE_DIST_DIR:=$TOLVANE_BUILD_DIR/dist}"
cp "$TOLVANE_DIST_DIR/Tolvane.chm" "$E2E_PROGRAM/" || e2e_fail "no Tolvane.chm in the program folder"
e2e_set_setting exitSystray 0

# Waits for the help window and closes it, as its close box would.
expect_help_window() {
  e2e_wait_dialog "Tolvane Help" 20
  e2e_probe close "Tolvane Help" || e2e_fail "could not close the help window"
  e2e_wait_dialog_gone "Tolvane Help"
}

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_tree_click Chores
xdotool key F1
expect_help_window

e2e_tree_click Chores
xdotool key alt+h u
expect_help_window

e2e_tree_click Chores
xdotool key alt+h a
e2e_wait_dialog "About Tolvane"
IFS=. read -r major minor patch <<<"${TOLVANE_VERSION:-1.0.1}"
[ "$(e2e_control_text "About Tolvane" 1101)" = "Tolvane v$major.$minor Build $patch" ] ||
  e2e_fail "program version reads: $(e2e_control_text "About Tolvane" 1101)"
[ "$(e2e_control_text "About Tolvane" 1102)" = "TolvaneBho.dll v$major.$minor Build $patch" ] ||
  e2e_fail "companion version reads: $(e2e_control_text "About Tolvane" 1102)"
e2e_screenshot "$E2E_WORK/about.png"
# F1 in a dialog of Tolvane's reaches the main window as a request for help.
xdotool key F1
expect_help_window
e2e_probe command 123 || e2e_fail "could not ask for the about box again"
e2e_click_control "About Tolvane" 1
e2e_wait_dialog_gone "About Tolvane"
[ "$(e2e_probe count "About Tolvane")" = 0 ] || e2e_fail "a second about box opened"
[ "$(e2e_probe count "Program Error")" = 0 ] || e2e_fail "a program crashed on the way"

e2e_exit_tolvane
