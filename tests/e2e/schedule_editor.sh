#!/bin/bash
# A user schedules the selected list from the main window: days without a
# time of day are refused; then a time a few seconds ahead, typed into the
# time picker, starts the list without a restart. The schedule is in the
# chore-list file after exit.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init schedule_editor
runner_write_files "$E2E_PROGRAM" "$(runner_list Soon 0 "$(runner_step 0 "" 0)" "" "")"
e2e_set_text_setting lastChoreList Soon
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 0
e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started

editor="Set up a schedule"
e2e_probe command 32802 || e2e_fail "could not ask for the schedule"
e2e_wait_dialog "$editor"
[ "$(e2e_probe datetime "$editor" 1068)" = "none" ] || e2e_fail "an unscheduled list shows a time"
e2e_click_control "$editor" 1305
e2e_click_control "$editor" 1
e2e_expect_box Tolvane "Please specify the Time-of-Day." "days without a time"
e2e_click_control "$editor" 1305

# The picker's fields are the hour, the minute and the second, after its
# own check box; typed digits fill the selected field. The hour is left as
# checking "Run time-of-day:" set it, so the start must fall in this hour.
until [ "$(date -d '+40 seconds' +%H)" = "$(date +%H)" ]; do sleep 1; done
e2e_click_control "$editor" 1301
start="$(date -d '+25 seconds' +%H%M%S)"
xdotool key Tab Right Right "${start:2:1}" "${start:3:1}" Right "${start:4:1}" "${start:5:1}"
picked="$(e2e_probe datetime "$editor" 1068)"
[ "${picked: -8}" = "${start:0:2}:${start:2:2}:${start:4:2}" ] || e2e_fail "the picker holds $picked, not $start"
e2e_click_control "$editor" 1
e2e_wait_dialog_gone "$editor"
e2e_wait_activity_line "Chore list: Soon launched per its schedule." 1 40
e2e_wait_activity_line "Chore list: Soon completed." 1 10

e2e_exit_tolvane
lists="$(e2e_chore_file _TolvaneChoreLists.xml)"
e2e_expect_contains "$lists" $'<runWindows>0</runWindows>\n<runTimeOfDay>'"$start"$'</runTimeOfDay>\n<runEveryday>0</runEveryday>\n<runDayOfWeek/>' \
  "saved schedule"
