#!/bin/bash
# The Options and Color option dialogs as a user goes through them: start
# with Windows writes the Run value with the program's real path and, once
# unchecked, removes a value an earlier copy wrote elsewhere; always on top
# makes the main window topmost without moving it and back; the debug log
# file goes on request. Random colours show on the tree at once, "Previous
# random pick" steps back, Cancel restores the tree's colour and OK keeps a
# new one.
source "$(dirname "$0")/lib.sh"
e2e_init options_dialogs
e2e_use_sample_chores
e2e_set_setting exitSystray 0
e2e_set_setting promptSave 0
e2e_set_setting doDebugLog 1
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
debug_log="$WINEPREFIX/drive_c/Tallowmere-TolvaneDebug.log"

toggle() {  # caption id: clicks the check box and waits for the change
  local was
  was="$(e2e_control_checked "$1" "$2")"
  e2e_click_control "$1" "$2"
  e2e_wait_checked "$1" "$2" $((1 - was))
}

wait_tree_color() {  # colour [not]
  for _ in $(seq 30); do
    local now
    now="$(e2e_probe tree-color)"
    if [ "${2:-}" = not ]; then [ "$now" != "$1" ] && return 0; else [ "$now" = "$1" ] && return 0; fi
    sleep 0.1
  done
  e2e_fail "tree colour $(e2e_probe tree-color), expected ${2:-} $1"
}

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
[ -f "$debug_log" ] || e2e_fail "no debug log at start-up"
[ "$(e2e_probe topmost)" = 0 ] || e2e_fail "topmost before Options"
rect="$(e2e_probe rect)"

e2e_probe command 32785 || e2e_fail "could not ask for Options"
e2e_wait_dialog "Options"
[ "$(e2e_control_checked Options 1048)" = 0 ] || e2e_fail "start with Windows starts checked"
[ "$(e2e_control_checked Options 1003)" = 1 ] || e2e_fail "debug logging starts unchecked"
toggle Options 1048
toggle Options 1039
e2e_click_control Options 1
e2e_wait_dialog_gone Options
[ "$(e2e_reg_query "$run_key" Tolvane)" = "$(e2e_winpath "$E2E_PROGRAM/Tolvane.exe")" ] ||
  e2e_fail "Run value: '$(e2e_reg_query "$run_key" Tolvane)'"
[ "$(e2e_probe topmost)" = 1 ] || e2e_fail "always on top did not make the window topmost"
[ "$(e2e_probe rect)" = "$rect" ] || e2e_fail "always on top moved the window: $rect -> $(e2e_probe rect)"

# A value an earlier copy wrote from elsewhere goes too; the debug log goes
# and, with debug logging off, stays gone.
wine reg add "$run_key" /v Tolvane /d 'C:\Old\Tolvane.exe' /f </dev/null >/dev/null 2>&1
e2e_probe command 32785 || e2e_fail "could not ask for Options again"
e2e_wait_dialog "Options"
[ "$(e2e_control_checked Options 1048)" = 1 ] || e2e_fail "start with Windows not shown as on"
toggle Options 1048
toggle Options 1039
toggle Options 1003
toggle Options 1013
e2e_click_control Options 1
e2e_wait_dialog_gone Options
[ -z "$(e2e_reg_query "$run_key" Tolvane)" ] || e2e_fail "Run value left: $(e2e_reg_query "$run_key" Tolvane)"
[ "$(e2e_probe topmost)" = 0 ] || e2e_fail "still topmost"
[ ! -f "$debug_log" ] || e2e_fail "the debug log file is still there"

before="$(e2e_probe tree-color)"
[ "$before" = aac8be ] || e2e_fail "tree colour at start: $before"
e2e_probe command 32794 || e2e_fail "could not ask for the colours"
e2e_wait_dialog "Color option"
[ "$(e2e_control_enabled "Color option" 1103)" = 0 ] || e2e_fail "Previous random pick available at opening"
e2e_click_control "Color option" 1100
wait_tree_color "$before" not
first="$(e2e_probe tree-color)"
[ "$(e2e_control_enabled "Color option" 1103)" = 0 ] || e2e_fail "Previous random pick available after one pick"
e2e_click_control "Color option" 1100
wait_tree_color "$first" not
[ "$(e2e_control_enabled "Color option" 1103)" = 1 ] || e2e_fail "Previous random pick greyed after two picks"
e2e_click_control "Color option" 1103
wait_tree_color "$first"
e2e_click_control "Color option" 2
e2e_wait_dialog_gone "Color option"
wait_tree_color "$before"

e2e_probe command 32794 || e2e_fail "could not ask for the colours again"
e2e_wait_dialog "Color option"
e2e_click_control "Color option" 1101
wait_tree_color ffffff
e2e_click_control "Color option" 1
e2e_wait_dialog_gone "Color option"
wait_tree_color ffffff

e2e_exit_tolvane
[ "$(e2e_setting treeBkColor)" = 0xffffff ] || e2e_fail "treeBkColor: $(e2e_setting treeBkColor)"
[ "$(e2e_setting autoStart)" = 0x0 ] || e2e_fail "autoStart: $(e2e_setting autoStart)"
