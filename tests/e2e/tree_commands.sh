#!/bin/bash
# The tree's commands as a user gives them, with real clicks and keys:
# "Chores" sorted by name twice (ascending, then descending); "Backup"
# cloned twice while a list already holds "Clone of Backup"; a chore
# renamed with F2 to a list's name is refused and the label editor opens
# again; deleting a chore two lists use is refused and names both, another
# chore is deleted after Yes. The item menu greys what its item does not
# offer (Delete on a chore lists use; all but Stop on a running list), its
# Schedule opens the schedule editor, the toolbar's Edit edits a selected
# list, and a double-click runs an item only on its label. Closing asks to
# save the changes, and the chore file follows the tree.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init tree_commands

{
  echo "<Chores>"
  runner_chore_xml Backup 17
  runner_chore_xml Mail 1
  runner_chore_xml Zip 0
  runner_chore_xml alpha 17
  echo "</Chores>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChores.xml"
{
  echo "<ChoreLists>"
  runner_list Morning 0 "$(runner_step 0 "" 0 0 0 Backup)" "" ""
  runner_list Evening 0 "$(runner_step 0 "" 0 0 0 Zip; runner_step 0 "" 0 0 0 Backup)" "" ""
  runner_list "Clone of Backup" 0 "$(runner_step 0 "" 0 0 0 alpha)" "" ""
  runner_list Waiting 0 "$(runner_step 7 600 0 0 0 alpha)" "" ""
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

# The item menu as it shows: Edit, Clone, Run, Delete, Stop, Schedule, "1"
# for each greyed one. The pointer leaves the menu so that no item is lit.
item_menu_greyed() {  # path
  e2e_tree_click "$1" 3
  e2e_probe menu 5 || e2e_fail "no menu on $1"
  xdotool mousemove_relative -- -40 0
  e2e_probe menu-greyed | paste -sd ' '
}
close_menu() {
  xdotool key Escape
  e2e_probe menu-gone 5 || e2e_fail "the menu stayed"
}
expect_item_menu() {  # path greyed what
  local greyed
  greyed="$(item_menu_greyed "$1")"
  [ "$greyed" = "$2" ] || e2e_fail "$3: the item menu shows '$greyed' greyed, not '$2'"
}
# How many lines of the activity window hold the text.
shown() { e2e_probe activity | grep -c -F -- "$1" || true; }

expect_item_menu Chores/Backup "0 0 0 1 1 1" "a chore lists use"
close_menu

# A double-click beside the selected Backup's label runs nothing; one on
# Waiting's label starts Waiting.
read -r _ top right bottom <<<"$(e2e_probe tree-item-rect Chores/Backup)"
e2e_click_at $((right + 60)) $(((top + bottom) / 2)) 1 2
e2e_tree_click "Chore Lists/Waiting" 1 2
e2e_until 10 e2e_output_is 1 shown "Chore list: Waiting started" || e2e_fail "the list did not start"
expect_item_menu "Chore Lists/Waiting" "1 1 1 1 0 1" "a running list"
xdotool key End Up Return
e2e_until 10 e2e_output_is 1 shown "Chore list: Waiting terminated" || e2e_fail "Stop did not stop the list"
[ "$(shown "Chore done: Backup")" = 0 ] || e2e_fail "a double-click beside a label ran the selected chore"

e2e_tree_click "Chore Lists/Morning" 3
e2e_probe menu 5 || e2e_fail "no menu on Morning"
xdotool key End Return
e2e_wait_dialog "Set up a schedule"
e2e_probe close "Set up a schedule"
e2e_wait_dialog_gone "Set up a schedule"

# Morning is still selected.
e2e_click_middle "$(e2e_probe toolbar-rect 32801)"
e2e_wait_dialog "Edit chore list"
e2e_probe close "Edit chore list"
e2e_wait_dialog_gone "Edit chore list"

e2e_probe command 1085 || e2e_fail "could not send the exit command"
e2e_expect_box Tolvane "Do you wish to save the changes before closing?" "closing after changes" 6
e2e_wait_exit 30 || e2e_fail "Tolvane did not end"
E2E_TOLVANE_PID=""

saved="$(e2e_chore_file _TolvaneChores.xml | sed -n 's/^<Chore name="\(.*\)">$/\1/p' | paste -sd '|')"
[ "$saved" = "alpha|Zip|Backup|Clone of Clone of Clone of Backup|Clone of Clone of Backup" ] ||
  e2e_fail "the chore file holds: $saved"
