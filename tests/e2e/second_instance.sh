#!/bin/bash
# A second start shows "Tolvane is already running." and ends; the first
# instance goes on.
source "$(dirname "$0")/lib.sh"
e2e_init second_instance
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }

e2e_start_tolvane
e2e_wait_main_window 40
first=$E2E_TOLVANE_PID

(cd "$E2E_PROGRAM" && exec wine "$E2E_PROGRAM/Tolvane.exe" </dev/null >"$E2E_WORK/second.log" 2>&1) &
second=$!
text="$(e2e_probe message Tolvane 20)" || e2e_fail "the second instance showed no message"
[ "$text" = "Tolvane is already running." ] || e2e_fail "message was: $text"
e2e_probe answer Tolvane 1 || e2e_fail "could not close the message"
e2e_wait_exit 20 "$second" || e2e_fail "the second instance did not end"
kill -0 "$first" 2>/dev/null || e2e_fail "the first instance ended"
e2e_probe main-window 1 >/dev/null || e2e_fail "the first window is gone"
e2e_exit_tolvane
