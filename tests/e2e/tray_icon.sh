#!/bin/bash
# The notification-area icon: its menu's "Show Tolvane" and a double-click
# bring a hidden window back; the menu's exit item ends the program.
source "$(dirname "$0")/lib.sh"
e2e_init tray_icon
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
e2e_set_setting exitSystray 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
e2e_probe command 32784
e2e_wait_visible 0 "window not hidden"
e2e_open_tray_menu
e2e_screenshot "$E2E_WORK/tray-menu.png"
e2e_probe menu-key s || e2e_fail "no tray menu"
e2e_wait_visible 1 "the tray menu's Show Tolvane did not show the window"

e2e_probe command 32784
e2e_wait_visible 0 "window not hidden again"
e2e_click_tray 1 2
e2e_wait_visible 1 "double-clicking the tray icon did not show the window"

e2e_open_tray_menu
e2e_probe menu-key x || e2e_fail "no tray menu"
e2e_wait_exit 30 || e2e_fail "the tray menu's exit item did not end Tolvane"
E2E_TOLVANE_PID=""
