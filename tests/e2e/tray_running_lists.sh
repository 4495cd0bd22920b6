#!/bin/bash
# The tray menu's "Stop" items: with three lists running there are three
# of them, in library order, between separators; with ten running only
# the first seven show. Each is chosen with keys from the menu's end (End,
# then Up past "E&xit the program now"), so the list that stops tells how
# many items there are. Lists beyond the first three are started by
# double-clicks in the tree.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init tray_running_lists
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }

lists=""
for i in 01 02 03 04 05 06 07 08 09 10; do
  # A step that waits ten minutes, so the list runs until it is stopped.
  list="$(runner_list "L$i" 0 "$(runner_step 7 600 0)" "" "")"
  [ "$i" -le 3 ] && list="${list/<runWindows>0</<runWindows>1<}"
  lists+="$list"$'\n'
done
runner_write_files "$E2E_PROGRAM" "$lists"
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_setting choreExpanded 0
e2e_set_setting choreListExpanded 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
for i in 01 02 03; do e2e_wait_activity_line "Chore list: L$i started..." 1 20; done

# Opens the tray menu with a real right-click, moves up `ups` items from its
# last one and chooses it. The keys go to the menu as the probe posts them:
# under Wine, keys typed right after a click on the taskbar do not reliably
# reach the menu.
choose_from_tray_end() {  # ups
  e2e_open_tray_menu
  e2e_screenshot "$E2E_WORK/tray-menu-$1.png"
  local keys=(end) n
  for ((n = 0; n < $1; n++)); do keys+=(up); done
  e2e_probe menu-key "${keys[@]}" return || e2e_fail "no tray menu"
  e2e_probe menu-gone 5 || e2e_fail "the tray menu stayed"
}

# Three running: Exit, then the third, second and first "Stop" items.
choose_from_tray_end 3
e2e_wait_activity_line "Chore list: L01 terminated." 1 15
stopped() { grep -a -c -E "Chore list: L[0-9]+ terminated\." "$E2E_PROGRAM/TolvaneActivity.log" || true; }
[ "$(stopped)" = "1" ] || e2e_fail "more than L01 stopped"

for i in 01 04 05 06 07 08 09 10; do
  e2e_tree_click "Chore Lists/L$i" 1 2
  e2e_wait_activity_line "Chore list: L$i started..." $([ "$i" = 01 ] && echo 2 || echo 1) 20
done
# Ten running: the seventh item is L07, not L10.
choose_from_tray_end 1
e2e_wait_activity_line "Chore list: L07 terminated." 1 15
# Nine running: seven items still, the first of them L01.
choose_from_tray_end 7
e2e_wait_activity_line "Chore list: L01 terminated." 2 15
[ "$(stopped)" = "3" ] || e2e_fail "other lists stopped as well"

e2e_exit_tolvane
