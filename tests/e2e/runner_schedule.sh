#!/bin/bash
# A list scheduled a few seconds ahead starts by itself and says so; a list
# scheduled for a time already past today does not.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init runner_schedule
# Wine's local time is the host's: schedule against it.
soon="$(date -d '+20 seconds' +%H%M%S)"
past="$(date -d '-2 minutes' +%H%M%S)"
if [ "$(date -d '+20 seconds' +%d)" != "$(date +%d)" ] || [ "$(date -d '-2 minutes' +%d)" != "$(date +%d)" ]; then
  e2e_log "SKIP: too close to midnight"
  exit 0
fi
lists="$(runner_list Soon 0 "$(runner_step 0 "" 0)" "$soon" "")
$(runner_list Passed 0 "$(runner_step 0 "" 0)" "$past" "")"
runner_write_files "$E2E_PROGRAM" "$lists"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 0

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_activity_line "Chore list: Soon launched per its schedule." 1 60
e2e_wait_activity_line "Chore list: Soon completed." 1 10
grep -aqF "Chore list: Passed launched" "$E2E_PROGRAM/TolvaneActivity.log" && e2e_fail "a past time was launched"
e2e_exit_tolvane
