#!/bin/bash
# With an Explorer that hosts the companion (a stand-in beside Tolvane.exe,
# which is what "Explorer.exe" starts), start-up keeps the Explorer window it
# started, an explore chore navigates that window through the companion
# without opening another, and exit closes it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init explore_companion
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
standin="$TOLVANE_BUILD_DIR/tests/win/companion/explorer_standin.exe"
[ -f "$standin" ] && [ -f "$HK_PROBE" ] || { e2e_log "missing $standin or $HK_PROBE"; exit 1; }
cp "$standin" "$E2E_PROGRAM/explorer.exe"

hk_write_chores <<'CHORES'
Docs|0|393285|object=C:\windows
CHORES
hk_start
[ "$(hk_probe count ExploreWClass)" = 1 ] || e2e_fail "start-up did not keep the Explorer window it started"
[ "$(e2e_activity_count "folders will open through the shell")" = 0 ] || e2e_fail "companion taken for absent"

hk_key ctrl+alt+e
e2e_wait_activity_line "Chore done: Docs, CHORE_EXPLORE:C:\\windows"
e2e_until 5 hk_probe state 'C:\windows' || e2e_fail "the Explorer window was not navigated"
[ "$(hk_probe count ExploreWClass)" = 1 ] && [ "$(hk_probe count ExplorerWClass)" = 0 ] ||
  e2e_fail "another window opened for the folder"

e2e_exit_tolvane
e2e_until 5 e2e_output_is 0 hk_probe count ExploreWClass || e2e_fail "exit left the Explorer window it started"
