#!/bin/bash
# A chore file that does not parse, beside good backups, over three runs.
# 1. Start-up offers the newest backup, naming why the file could not be
#    read and what the backup holds; No loads what it can and says in the
#    activity log why the file was not read. A change, then exit: the
#    damaged file and the list file are kept aside, the backups untouched.
# 2. Both files load now; closing still leaves the backups alone.
# 3. Both files are gone: start-up offers the backup, and Yes brings back
#    the whole library, with no step dropped.
source "$(dirname "$0")/lib.sh"
e2e_init damaged_chore_file
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
printf '<Chores>\r\n<Chore name="Docs">\r\n</Chores>\r\n' | iconv -f UTF-8 -t UTF-16LE >"$E2E_PROGRAM/_TolvaneChores.xml"
cp "$E2E_REPO_DIR/sample/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChores.xml.backup"
cp "$E2E_REPO_DIR/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/_TolvaneChoreLists.xml.backup"
cp "$E2E_REPO_DIR/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/"
mkdir "$E2E_WORK/before"
cp -p "$E2E_PROGRAM"/_TolvaneChore* "$E2E_WORK/before/"
e2e_set_setting doActivityLog 1
e2e_set_setting makeBackup 1
expect_backups_untouched() {  # what
  for file in _TolvaneChores.xml.backup _TolvaneChoreLists.xml.backup; do
    cmp -s "$E2E_WORK/before/$file" "$E2E_PROGRAM/$file" || e2e_fail "$1: $file changed"
  done
}
holds="holds 5 chores and 1 chore list."
unread="_TolvaneChores.xml could not be read: End tag does not correspond to Chore (line 3, column 1)."

e2e_start_answering "run 1" 7 "$unread" "$holds"
e2e_wait_activity_line "$unread" 1 5
e2e_probe tree-select "Chore Lists/Greet in Notepad" || e2e_fail "run 1: no list to select"
e2e_probe command 1206 || e2e_fail "run 1: could not clone the list"
e2e_wait_tree_branch "Chore Lists" "Greet in Notepad|Clone of Greet in Notepad" "run 1 clone"
e2e_exit_tolvane
expect_backups_untouched "run 1"
cmp -s "$E2E_WORK/before/_TolvaneChores.xml" "$E2E_PROGRAM"/_TolvaneChores.xml.damaged-* || e2e_fail "run 1: the damaged file was not kept"
cmp -s "$E2E_WORK/before/_TolvaneChoreLists.xml" "$E2E_PROGRAM"/_TolvaneChoreLists.xml.kept-* || e2e_fail "run 1: the list file was not kept"

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_probe message Tolvane 0.5 >/dev/null && e2e_fail "run 2: a start with readable files asked something"
e2e_exit_tolvane
expect_backups_untouched "run 2"

rm "$E2E_PROGRAM/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChoreLists.xml"
e2e_start_answering "run 3" 6 "_TolvaneChores.xml is missing." "$holds"
e2e_wait_tree_branch "Chore Lists" "Greet in Notepad" "run 3 lists"
[ "$(e2e_probe tree | grep -c '^    ')" = 3 ] || e2e_fail "run 3: the list lost steps: $(e2e_probe tree)"
e2e_exit_tolvane
for file in _TolvaneChores.xml _TolvaneChoreLists.xml; do
  cmp -s "$E2E_REPO_DIR/sample/$file" "$E2E_PROGRAM/$file" || e2e_fail "run 3: $file is not the backup's"
done
