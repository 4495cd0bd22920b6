#!/bin/bash
# With exitSystray on, File Exit and Escape only hide the window; the
# tray's "Show Tolvane" brings it back and its exit item ends the program.
# Exit saves first and stops nothing before: with a change made and the
# chore file held open by another program, the save question comes once
# however often Exit is asked for (the installer asks while it shows), the
# failed save names the file in a Retry/Cancel box, and after Cancel hot
# keys still work; the end of the Windows session writes "unsaved" copies
# without asking; once the file is let go, Exit saves.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init exit_systray
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
hk_write_chores <<'CHORES'
Idle|17|393294|
CHORES
e2e_set_setting exitSystray 1
e2e_set_setting promptSave 1
e2e_set_setting doActivityLog 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
[ "$(e2e_probe visible)" = 1 ] || e2e_fail "window not shown at start"
e2e_probe command 32784
e2e_wait_visible 0 "File, Exit did not hide the window"
e2e_probe command 1086
e2e_wait_visible 1 "Show Tolvane did not show the window"
e2e_probe command 2
e2e_wait_visible 0 "Escape did not hide the window"

e2e_probe command 1086
e2e_wait_visible 1 "Show Tolvane did not show the window again"
e2e_probe tree-select "Chores/Idle" || e2e_fail "no chore to select"
e2e_probe command 1206 || e2e_fail "could not clone the chore"
e2e_wait_tree_branch "Chores" "Idle|Clone of Idle" "clone"
chores="$E2E_PROGRAM/_TolvaneChores.xml"
wine "$E2E_WORK/e2e_probe.exe" hold "$(e2e_winpath "$chores")" "$(e2e_winpath "$E2E_WORK/release")" 120 \
  </dev/null >"$E2E_WORK/hold.out" 2>/dev/null &
holder=$!
e2e_until 20 grep -q held "$E2E_WORK/hold.out" || e2e_fail "the chore file could not be held open"

e2e_probe command 1085 || e2e_fail "could not send the exit command"
question="$(e2e_probe message Tolvane 10)" || e2e_fail "no save question"
e2e_expect_contains "$question" "Do you wish to save the changes before closing?" "save question"
e2e_probe send-command 1085 3 || e2e_fail "a second Exit during the question did not return"
[ "$(e2e_probe count Tolvane)" = 1 ] || e2e_fail "a second Exit asked again"
e2e_probe answer Tolvane 6 || e2e_fail "could not answer Yes"
failed="$(e2e_probe message "Tolvane Warning!" 10)" || e2e_fail "a failed save said nothing"
e2e_expect_contains "$failed" "_TolvaneChores.xml cannot be written." "failed save"
e2e_probe answer "Tolvane Warning!" 2 || e2e_fail "could not answer Cancel"
hk_key ctrl+alt+n
e2e_wait_activity_line "Chore done: Idle, CHORE_NOTHING."

e2e_probe end-session || e2e_fail "the end of the session was not answered"
e2e_probe count Tolvane | grep -qx 0 || e2e_fail "the end of the session asked something"
e2e_chore_file "$(basename "$E2E_PROGRAM"/_TolvaneChores.xml.unsaved-*)" | grep -q 'Clone of Idle' ||
  e2e_fail "the end of the session left no unsaved copy"

touch "$E2E_WORK/release"
e2e_wait_exit 20 "$holder" || e2e_fail "the chore file was not let go"
e2e_probe command 1085 || e2e_fail "could not send the exit command again"
e2e_expect_box Tolvane "Do you wish to save the changes before closing?" "second save question" 6
e2e_wait_exit 30 || e2e_fail "Tolvane did not end after the second exit"
E2E_TOLVANE_PID=""
e2e_chore_file _TolvaneChores.xml | grep -q 'Clone of Idle' || e2e_fail "the change was not saved"
[ "$(e2e_setting exitSystray)" = "0x1" ] || e2e_fail "exitSystray not kept"
