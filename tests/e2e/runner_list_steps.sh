#!/bin/bash
# A chore list run from the main window waits for a file an outside process
# creates, for a window to appear and to close, for a Yes to its question
# and for its hot key, both pressed on the real keyboard; every step is
# logged.
# Its next list waits for a window that never comes until the tray's Stop
# ends it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init runner_list_steps
flag="$E2E_WORK/flag.txt"
flag_win="$(e2e_winpath "$flag")"
# Ctrl+Alt+J as the hot-key control packs it: modifiers (2 Ctrl | 4 Alt) << 16 | 'J'.
hot_key=$(((6 << 16) | 0x4A))
steps="$(runner_step 3 "$flag_win" 60)
$(runner_step 1 "Notepad" 60 0 1)
$(runner_step 2 "Notepad" 60 0 1)
$(runner_step 5 "Proceed?" 0)
$(runner_step 6 "" 60 "$hot_key")
$(runner_step 7 "1" 0)"
lists="$(runner_list Waits 0 "$steps" "" Forever)
$(runner_list Forever 0 "$(runner_step 1 "No such window anywhere" 0)" "" "")"
runner_write_files "$E2E_PROGRAM" "$lists"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 0
e2e_set_text_setting lastChoreList Waits

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_probe command 3002 || e2e_fail "could not send Run"
e2e_wait_activity_line "Chore list: Waits started..." 1 20
e2e_wait_activity_line "Chore list: Waits, waiting for FILE_CREATED:$flag_win" 1 20
touch "$flag"
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #0: Noop, CompType: 3 completed." 1 20

wine notepad </dev/null >/dev/null 2>&1 &
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #1: Noop, CompType: 1 completed." 1 30
e2e_wait_activity_line "Chore list: Waits, waiting for WND_DESTROYED:Notepad" 1 10
wine taskkill /f /im notepad.exe </dev/null >/dev/null 2>&1 || e2e_fail "could not close Notepad"
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #2: Noop, CompType: 2 completed." 1 30

desktop="$(e2e_focus_desktop)"
xdotool mousemove --window "$desktop" 400 300
# Enter presses the question box's default button, Yes.
e2e_probe message "Tolvane: Proceed?" 20 >/dev/null || e2e_fail "no question box"
# Another window may hold the focus: click the box's title bar first, as a
# user would.
e2e_click_caption "Tolvane: Proceed?"
sleep 0.5
xdotool key Return
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #3: Noop, CompType: 5 completed." 1 20

e2e_wait_activity_line "Chore list: Waits, waiting for WAIT_HOTKEY:" 1 10
sleep 0.5
xdotool key ctrl+alt+j
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #4: Noop, CompType: 6 completed." 1 20
e2e_wait_activity_line "Chore list: Waits, count:0, Chore #5: Noop, CompType: 7 completed." 1 20
e2e_wait_activity_line "Chore list: Waits completed." 1 10
e2e_wait_activity_line "Chore list: Waits starting the next chore list: Forever." 1 10

e2e_wait_activity_line "Chore list: Forever, waiting for WND_CREATED:No such window anywhere" 1 20
# The status pane follows the running lists on its one-second timer.
for _ in 1 2 3 4 5 6 7 8 9 10; do
  status="$(e2e_probe status)"
  case "$status" in *Forever*) [[ "$status" != *Waits* ]] && break ;; esac
  sleep 0.5
done
e2e_expect_contains "$status" "Forever in progress..." "status pane"
[[ "$status" != *Waits* ]] || e2e_fail "status pane still shows the ended list: $status"
e2e_probe command 7000 || e2e_fail "could not send the tray's Stop"
e2e_wait_activity_line "Chore list: Forever, count:0, Chore #0: Noop, CompType: 1 terminated." 1 10
e2e_wait_activity_line "Chore list: Forever terminated." 1 10
e2e_exit_tolvane
