#!/bin/bash
# With exitSystray on, File Exit and Escape only hide the window; the
# tray's "Show Tolvane" brings it back and its exit item ends the program.
source "$(dirname "$0")/lib.sh"
e2e_init exit_systray
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
e2e_set_setting exitSystray 1

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
[ "$(e2e_probe visible)" = 1 ] || e2e_fail "window not shown at start"
e2e_probe command 32784
e2e_wait_visible 0 "File, Exit did not hide the window"
e2e_probe command 1086
e2e_wait_visible 1 "Show Tolvane did not show the window"
e2e_probe command 2
e2e_wait_visible 0 "Escape did not hide the window"
e2e_exit_tolvane
[ "$(e2e_setting exitSystray)" = "0x1" ] || e2e_fail "exitSystray not kept"
