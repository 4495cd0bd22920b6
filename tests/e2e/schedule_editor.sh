#!/bin/bash
# A user schedules the selected list from the main window: days without a
# time of day are refused; a time of day ticked and accepted at once (it is
# then already behind the clock) starts nothing; the box "Run as soon as
# possible after a missed start" is stored and shown again. Then a time a
# few seconds ahead, typed into the time picker, starts the list without a
# restart; the list is edited and renamed while it runs and still hears
# the hot key its run waits for. The schedule is in the chore-list file
# after exit, and the start times dealt with are in the registry: started
# again after the list's time, Tolvane runs it late.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init schedule_editor
# Ctrl+Alt+J as the hot-key control packs it: modifiers (2 Ctrl | 4 Alt) << 16 | 'J'.
runner_write_files "$E2E_PROGRAM" "$(runner_list Soon 0 "$(runner_step 6 "" 60 $(((6 << 16) | 0x4A)))" "" "")"
e2e_set_text_setting lastChoreList Soon
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 0
e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started

editor="Set up a schedule"
launched="Chore list: Soon launched per its schedule."
e2e_probe command 32802 || e2e_fail "could not ask for the schedule"
e2e_wait_dialog "$editor"
[ "$(e2e_probe datetime "$editor" 1068)" = "none" ] || e2e_fail "an unscheduled list shows a time"
e2e_click_control "$editor" 1305
e2e_click_control "$editor" 1
e2e_expect_box Tolvane "Please specify the Time-of-Day." "days without a time"
e2e_click_control "$editor" 1305

# Ticking the time box fills in the time it is now: accepted at once, it is
# a time already behind the clock, not one the scheduler missed.
e2e_click_control "$editor" 1301
e2e_click_control "$editor" 1313
e2e_wait_checked "$editor" 1313 1
e2e_click_control "$editor" 1
e2e_wait_dialog_gone "$editor"
accepted_at=$(date +%s%N)

e2e_probe command 32802 || e2e_fail "could not ask for the schedule again"
e2e_wait_dialog "$editor"
[ "$(e2e_control_checked "$editor" 1313)" = 1 ] || e2e_fail "the missed-start box is not shown again"
[ "$(e2e_probe datetime "$editor" 1068)" != "none" ] || e2e_fail "the ticked time was not kept"

# The picker's fields are the hour, the minute and the second, after its
# own check box; typed digits fill the selected field. Unticking and
# ticking the box again fills in the time it is now and leaves the focus
# on the box; the hour is left as it is, so the start must fall in this hour.
until [ "$(date -d '+40 seconds' +%H)" = "$(date +%H)" ]; do sleep 1; done
e2e_click_control "$editor" 1301
e2e_click_control "$editor" 1301
start="$(date -d '+25 seconds' +%H%M%S)"
xdotool key Tab Right Right "${start:2:1}" "${start:3:1}" Right "${start:4:1}" "${start:5:1}"
picked="$(e2e_probe datetime "$editor" 1068)"
[ "${picked: -8}" = "${start:0:2}:${start:2:2}:${start:4:2}" ] || e2e_fail "the picker holds $picked, not $start"
e2e_click_control "$editor" 1
e2e_wait_dialog_gone "$editor"
# Five seconds after the time ticked at once was accepted, it has started nothing.
while (($(date +%s%N) - accepted_at < 5000000000)); do sleep 0.2; done
[ "$(e2e_activity_count "$launched")" = 0 ] || e2e_fail "a time set behind the clock started the list"

# The list's editor is open when the schedule starts it; it is saved with
# another name while the run waits for its hot key.
lister="Edit chore list"
e2e_probe command 32808 || e2e_fail "could not open the list's editor"
e2e_wait_dialog "$lister"
e2e_wait_activity_line "$launched" 1 40
e2e_wait_activity_line "Chore list: Soon, waiting for WAIT_HOTKEY:" 1 10
e2e_type_into "$lister" 1044 "Later"
e2e_click_control "$lister" 1045
e2e_wait_dialog_gone "$lister"
e2e_wait_tree_branch "Chore Lists" "Later" "the list renamed"
desktop="$(e2e_focus_desktop)"
xdotool mousemove --window "$desktop" 640 700
xdotool key --clearmodifiers ctrl+alt+j
e2e_wait_activity_line "Chore list: Soon completed." 1 10

e2e_exit_tolvane
lists="$(e2e_chore_file _TolvaneChoreLists.xml)"
e2e_expect_contains "$lists" '<Chorelist name="Later" hotKey="0">' "saved name"
e2e_expect_contains "$lists" $'<runWindows>0</runWindows>\n<runTimeOfDay>'"$start"$'</runTimeOfDay>\n<runEveryday>0</runEveryday>\n<runDayOfWeek/>' \
  "saved schedule"
e2e_expect_contains "$lists" $'<alwaysRun>0</alwaysRun>\n<runMissed>1</runMissed>\n</Chorelist>' "saved missed-start box"
e2e_expect_contains "$(e2e_setting lastStartHandled)" ",5,Later;" "start times dealt with"

# Tolvane was closed over the list's time: with the box ticked, its next
# start runs the list once, late.
missed="$(date -d '-2 minutes' +%H%M%S)"
due="${missed:0:2}:${missed:2:2}:${missed:4:2} on $(date -d '-2 minutes' +%m/%d/%Y)"
file="$E2E_PROGRAM/_TolvaneChoreLists.xml"
iconv -f UTF-16LE -t UTF-8 "$file" | sed "s/<runTimeOfDay>$start</<runTimeOfDay>$missed</" |
  iconv -f UTF-8 -t UTF-16LE >"$file.new" && mv "$file.new" "$file"
e2e_set_text_setting lastStartHandled "$(date -d '-1 hour' +%s),5,Later;"
e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_activity_line "Chore list: Later was started late; it was due at $due." 1 30
e2e_wait_activity_line "Chore list: Later started..." 1 10
e2e_exit_tolvane
