#!/bin/bash
# An explore chore with the companion loaded but no Explorer hosting its
# command thread (as under Wine) opens the folder through the shell instead
# of reporting a navigation that never happens; the folder is kept as
# lastFolder. Run (3002) on the selected chore does it on the chore thread.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init hotkeys_explore
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
[ -f "$HK_PROBE" ] || { e2e_log "missing $HK_PROBE"; exit 1; }

hk_write_chores <<'CHORES'
Docs|0|393285|object=C:\windows
Idle|17|0|
CHORES
wine reg add 'HKCU\Software\Tallowmere\Tolvane\Settings' /v lastChore /d Idle /f </dev/null >/dev/null 2>&1
hk_start
e2e_probe command 3002 || e2e_fail "could not send Run"
e2e_wait_activity_line "Chore done: Idle, CHORE_NOTHING."
# Start-up may have started Explorer itself: count what is there once it
# has settled.
before="$(hk_probe count ExplorerWClass)"
for _ in $(seq 10); do
  sleep 1
  now="$(hk_probe count ExplorerWClass)"
  [ "$now" = "$before" ] && break
  before="$now"
done

hk_key ctrl+alt+e
e2e_wait_activity_line "Chore done: Docs, CHORE_EXPLORE:C:\\windows"
for _ in $(seq 50); do [ "$(hk_probe count ExplorerWClass)" -gt "$before" ] && break; sleep 0.2; done
[ "$(hk_probe count ExplorerWClass)" -gt "$before" ] || e2e_fail "no Explorer window opened"

e2e_exit_tolvane
[ "$(e2e_reg_query 'HKCU\Software\Tallowmere\Tolvane\Settings' lastFolder)" = "C:\\windows" ] ||
  e2e_fail "lastFolder not saved: $(e2e_reg_query 'HKCU\Software\Tallowmere\Tolvane\Settings' lastFolder)"
