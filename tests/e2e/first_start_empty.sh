#!/bin/bash
# A first start with no chore files and no sample folder asks nothing,
# shows an empty tree, greets the user, and an exit without changes
# writes no chore files but keeps the settings in the registry.
source "$(dirname "$0")/lib.sh"
e2e_init first_start_empty

e2e_start_tolvane
e2e_wait_main_window 40
if e2e_probe message Tolvane 1 >/dev/null; then
  e2e_has_companion || e2e_log "no TolvaneBho.dll in this build: the companion's error box is expected"
  e2e_has_companion && e2e_fail "a first start without files asked something"
  e2e_probe answer Tolvane 1
fi
e2e_wait_started

tree="$(e2e_probe tree | sed 's/ selected$//')"
[ "$tree" = "$(printf 'Chores [9]\nChore Lists [10]')" ] || e2e_fail "tree is not just the two roots: $tree"
e2e_expect_contains "$(e2e_probe activity)" "Tolvane at your service..." "activity window"
status="$(e2e_probe status)"
[ "$status" = "$(printf 'Tolvane at your service...\n0/0')" ] || e2e_fail "status bar: $status"
sleep 1
e2e_screenshot "$E2E_WORK/first-start.png"

e2e_exit_tolvane
[ ! -e "$E2E_PROGRAM/_TolvaneChores.xml" ] || e2e_fail "an unchanged empty library was written"
[ ! -e "$E2E_PROGRAM/_TolvaneChores.xml.backup" ] || e2e_fail "a backup of a missing file appeared"
[ "$(e2e_setting maxActivityLogs)" = "0x1f4" ] || e2e_fail "maxActivityLogs not saved"
[ "$(e2e_setting masterhostkeyCode)" = "0x27" ] || e2e_fail "masterhostkeyCode not saved"
[ -n "$(e2e_setting progWidth)" ] || e2e_fail "progWidth not saved"
# The first start finds no key, so it writes no progDir; the close made
# the key, so the second start does.
[ -z "$(e2e_setting progDir)" ] || e2e_fail "progDir written on the first start"
e2e_start_tolvane
e2e_wait_main_window 40
e2e_probe message Tolvane 1 >/dev/null && e2e_probe answer Tolvane 1
e2e_exit_tolvane
e2e_expect_contains "$(wine reg query "$E2E_SETTINGS_KEY" /v progDir </dev/null 2>/dev/null | tr -d '\r')" \
  "program\\" "progDir on the second start"
