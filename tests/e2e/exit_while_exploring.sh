#!/bin/bash
# Exiting while a chore list repeats an explore step ends the program
# cleanly: the step runs on the list's thread through the companion and the
# Explorer watch, and none of them may go while that thread still uses
# them. No crash, no hang, and the settings are saved. Each pass waits a
# second after exploring, so the list is still under way when the exit
# comes, whether Explorer hosts the companion or the shell opens the folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
source "$(dirname "$0")/runner_lib.bash"
e2e_init exit_while_exploring
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }

hk_write_chores <<'CHORES'
Docs|0|0|object=C:\windows;verb=Explore a folder
CHORES
{ echo "<ChoreLists>"; runner_list Explore 0 "$(runner_step 7 1 0 0 0 Docs)" "" "" 99; echo "</ChoreLists>"; } |
  runner_utf16 "$E2E_PROGRAM/_TolvaneChoreLists.xml"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_text_setting lastChoreList Explore

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_probe command 3002 || e2e_fail "could not send Run"
e2e_wait_activity_line "Chore done: Docs, CHORE_EXPLORE:C:\\windows" 2 30
# The next pass is under way: exit now, from the tray.
e2e_probe command 1085 || e2e_fail "could not send the exit command"
e2e_wait_exit 30 || e2e_fail "Tolvane did not end after the exit command"
status=0
wait "$E2E_TOLVANE_PID" || status=$?
E2E_TOLVANE_PID=""
[ "$status" -eq 0 ] || e2e_fail "Tolvane ended with status $status"
# The list ended before the program did, not with it.
[ "$(e2e_activity_count "Chore list: Explore terminated.")" -eq 1 ] || e2e_fail "the list was not stopped at exit"
[ "$(e2e_setting lastChoreList)" = "Explore" ] || e2e_fail "settings not saved at exit"
