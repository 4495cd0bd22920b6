#!/bin/bash
# A chore file that does not parse, beside good backups: start-up says in
# the activity log which file it could not read and why, and closing leaves
# the file, the list file and both backups byte for byte as they were.
source "$(dirname "$0")/lib.sh"
e2e_init damaged_chore_file
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
printf '<Chores>\r\n<Chore name="Docs">\r\n</Chores>\r\n' | iconv -f UTF-8 -t UTF-16LE >"$E2E_PROGRAM/_TolvaneChores.xml"
cp "$E2E_REPO_DIR/sample/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChores.xml.backup"
cp "$E2E_REPO_DIR/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/"
printf 'an older list backup' >"$E2E_PROGRAM/_TolvaneChoreLists.xml.backup"
mkdir "$E2E_WORK/before"
cp -p "$E2E_PROGRAM"/_TolvaneChore* "$E2E_WORK/before/"
e2e_set_setting doActivityLog 1
e2e_set_setting makeBackup 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_wait_activity_line \
  "_TolvaneChores.xml could not be read: End tag does not correspond to Chore (line 3, column 1)." 1 5
e2e_exit_tolvane

for file in _TolvaneChores.xml _TolvaneChores.xml.backup _TolvaneChoreLists.xml _TolvaneChoreLists.xml.backup; do
  cmp -s "$E2E_WORK/before/$file" "$E2E_PROGRAM/$file" || e2e_fail "$file changed"
done
[ -z "$(ls "$E2E_PROGRAM" | grep -E '\.(damaged|kept)-')" ] || e2e_fail "a file was kept aside without a save"
