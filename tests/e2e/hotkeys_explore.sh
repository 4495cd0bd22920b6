#!/bin/bash
# Wine's Explorer does not load the companion, and on a first start it
# shows its window only after start-up has stopped waiting for it (a
# stand-in beside Tolvane.exe, which is what "Explorer.exe" starts, shows it
# after the greeting). Start-up starts Explorer once, finds the companion
# still down, says that folders open through the shell, greets without
# waiting longer, and closes Explorer's window when it comes. An explore
# chore then opens its folder through the shell at once, without starting
# or waiting for Explorer again, and keeps it as lastFolder; exit leaves
# only the window the chore opened. Run (3002) on the selected chore uses
# the chore thread.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init hotkeys_explore
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
standin="$TOLVANE_BUILD_DIR/tests/win/companion/explorer_standin.exe"
[ -f "$standin" ] && [ -f "$HK_PROBE" ] || { e2e_log "missing $standin or $HK_PROBE"; exit 1; }
cp "$standin" "$E2E_PROGRAM/explorer.exe"
touch "$E2E_PROGRAM/late_window"
notice="Explorer does not load the Tolvane companion; folders will open through the shell."
explorers() { hk_probe count ExplorerWClass; }

hk_write_chores <<'CHORES'
Docs|0|393285|object=C:\windows
Idle|17|0|
CHORES
e2e_set_text_setting lastChore Idle
started_at=$(date +%s%N)
hk_start
e2e_log "start to greeting: $((($(date +%s%N) - started_at) / 1000000)) ms"
[ "$(e2e_activity_count "$notice")" = 1 ] || e2e_fail "no notice that folders open through the shell"
touch "$E2E_PROGRAM/show_window"
e2e_until 10 test -f "$E2E_PROGRAM/window_closed" || e2e_fail "Explorer's late window was not closed"
[ "$(explorers)" = 0 ] || e2e_fail "start-up left $(explorers) Explorer window(s) open"
e2e_probe command 3002 || e2e_fail "could not send Run"
e2e_wait_activity_line "Chore done: Idle, CHORE_NOTHING."

pressed_at=$(date +%s%N)
hk_key ctrl+alt+e
e2e_wait_activity_line "Chore done: Docs, CHORE_EXPLORE:C:\\windows"
e2e_log "hot key to Chore done: $((($(date +%s%N) - pressed_at) / 1000000)) ms (with 300 ms of the key helper)"
for _ in $(seq 50); do [ "$(explorers)" -gt 0 ] && break; sleep 0.2; done
[ "$(explorers)" = 1 ] || e2e_fail "expected the folder's window alone, found $(explorers)"
[ "$(e2e_activity_count "$notice")" = 1 ] || e2e_fail "Explorer was tried again"

e2e_exit_tolvane
[ "$(explorers)" = 1 ] || e2e_fail "after exit: $(explorers) Explorer windows"
[ "$(e2e_setting lastFolder)" = "C:\\windows" ] || e2e_fail "lastFolder not saved: $(e2e_setting lastFolder)"
