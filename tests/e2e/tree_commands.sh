#!/bin/bash
# The tree's commands as a user gives them, with real clicks and keys:
# "Chores" sorted by name twice (ascending, then descending); "Backup"
# cloned twice while a list already holds "Clone of Backup"; a chore
# renamed with F2 to a list's name is refused and the label editor opens
# again; deleting a chore two lists use is refused and names both, another
# chore is deleted after Yes. Closing asks to save the changes, and the
# chore file follows the tree.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init tree_commands

{
  echo "<Chores>"
  runner_chore_xml Backup 17
  runner_chore_xml Mail 1
  runner_chore_xml Zip 0
  runner_chore_xml alpha 3
  echo "</Chores>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChores.xml"
{
  echo "<ChoreLists>"
  runner_list Morning 0 "$(runner_step 0 "" 0 0 0 Backup)" "" ""
  runner_list Evening 0 "$(runner_step 0 "" 0 0 0 Zip; runner_step 0 "" 0 0 0 Backup)" "" ""
  runner_list "Clone of Backup" 0 "$(runner_step 0 "" 0 0 0 alpha)" "" ""
  echo "</ChoreLists>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChoreLists.xml"
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 1
e2e_set_setting choreExpanded 1
e2e_set_setting choreListExpanded 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_wait_tree_branch Chores "Backup|Mail|Zip|alpha" "as loaded"

# A root's menu: "Sort by name" first.
sort_chores_by_name() {
  e2e_tree_click Chores 3
  e2e_probe menu 5 || e2e_fail "no menu on Chores"
  xdotool key Down Return
}
sort_chores_by_name
e2e_wait_tree_branch Chores "Backup|Mail|Zip|alpha" "the first sort is ascending"
sort_chores_by_name
e2e_wait_tree_branch Chores "alpha|Zip|Mail|Backup" "the second sort is descending"

# An item's menu: Edit, Clone, Run, Delete, Stop, Schedule.
clone_backup() {
  e2e_tree_click Chores/Backup 3
  e2e_probe menu 5 || e2e_fail "no menu on Backup"
  xdotool key Down Down Return
}
clone_backup
e2e_wait_tree_branch Chores "alpha|Zip|Mail|Backup|Clone of Clone of Backup" "first clone"
clone_backup
e2e_wait_tree_branch Chores \
  "alpha|Zip|Mail|Backup|Clone of Clone of Clone of Backup|Clone of Clone of Backup" "second clone"

e2e_tree_click Chores/Zip
xdotool key F2
e2e_until 5 e2e_output_is Zip e2e_probe tree-edit || e2e_fail "F2 opened no label editor"
xdotool key --clearmodifiers Home shift+End BackSpace
xdotool type --delay 30 -- "Morning"
xdotool key Return
e2e_expect_box Tolvane 'Name: "Morning" is already used.' "renaming to a list's name"
e2e_until 5 e2e_output_is Morning e2e_probe tree-edit || e2e_fail "the label editor did not open again with the name"
xdotool key Escape
e2e_wait_tree_branch Chores \
  "alpha|Zip|Mail|Backup|Clone of Clone of Clone of Backup|Clone of Clone of Backup" "a refused rename"

e2e_tree_click Chores/Backup
xdotool key Delete
text="$(e2e_probe message "Tolvane Warning!" 10)" || e2e_fail "deleting a chore in use was not refused"
e2e_expect_contains "$text" 'Chore: "Backup" cannot be deleted.' "refusal"
e2e_expect_contains "$text" 'It is used in 2 chore lists:' "refusal"
e2e_expect_contains "$text" '"Morning"' "refusal"
e2e_expect_contains "$text" '"Evening"' "refusal"
e2e_probe answer "Tolvane Warning!" 1 || e2e_fail "could not close the refusal"
e2e_probe dialog-gone "Tolvane Warning!" 5 || e2e_fail "the refusal stayed"

e2e_tree_click Chores/Mail
xdotool key Delete
e2e_expect_box "Tolvane Warning!" "$(printf 'Chore: "Mail"\nDo you wish to delete the chore?')" "deleting a chore" 6
e2e_wait_tree_branch Chores \
  "alpha|Zip|Backup|Clone of Clone of Clone of Backup|Clone of Clone of Backup" "a deleted chore"

e2e_probe command 1085 || e2e_fail "could not send the exit command"
e2e_expect_box Tolvane "Do you wish to save the changes before closing?" "closing after changes" 6
e2e_wait_exit 30 || e2e_fail "Tolvane did not end"
E2E_TOLVANE_PID=""

saved="$(e2e_chore_file _TolvaneChores.xml | sed -n 's/^<Chore name="\(.*\)">$/\1/p' | paste -sd '|')"
[ "$saved" = "alpha|Zip|Backup|Clone of Clone of Clone of Backup|Clone of Clone of Backup" ] ||
  e2e_fail "the chore file holds: $saved"
