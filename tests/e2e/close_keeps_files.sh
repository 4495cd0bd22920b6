#!/bin/bash
# Closing without changes leaves the chore files as they were and still
# makes the backups; the settings are in the registry afterwards, and with
# doActivityLog on the activity file starts with the new-log header and
# holds the greeting.
source "$(dirname "$0")/lib.sh"
e2e_init close_keeps_files
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
cp "$E2E_REPO_DIR/sample/_TolvaneChores.xml" "$E2E_REPO_DIR/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/"
touch -d '2001-01-01 00:00' "$E2E_PROGRAM/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChoreLists.xml"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0

e2e_start_tolvane
e2e_wait_main_window 40
e2e_probe message Tolvane 1 >/dev/null && e2e_fail "a start with chore files asked something"
e2e_expect_contains "$(e2e_probe tree)" "Start Notepad" "tree"
e2e_exit_tolvane

for file in _TolvaneChores.xml _TolvaneChoreLists.xml; do
  cmp -s "$E2E_REPO_DIR/sample/$file" "$E2E_PROGRAM/$file" || e2e_fail "$file changed"
  [ "$(stat -c %Y "$E2E_PROGRAM/$file")" = "$(date -d '2001-01-01 00:00' +%s)" ] || e2e_fail "$file was rewritten"
  cmp -s "$E2E_PROGRAM/$file" "$E2E_PROGRAM/$file.backup" || e2e_fail "$file.backup missing or different"
done

log="$E2E_PROGRAM/TolvaneActivity.log"
[ -f "$log" ] || e2e_fail "no activity log file"
head -c 29 "$log" | grep -q $'^\r\n========>new log started: ' || e2e_fail "activity file does not start with the header"
grep -q "Tolvane at your service..." "$log" || e2e_fail "activity file lacks the greeting"
[ "$(e2e_setting doActivityLog)" = "0x1" ] || e2e_fail "doActivityLog not saved"
[ "$(e2e_setting makeBackup)" = "0x1" ] || e2e_fail "makeBackup not saved"
