#!/bin/bash
# Chores whose details come from the editor's sub-dialogs, made as a user
# makes them and run from their hot keys at once: "Minimize" on Notepad
# through the picker's window operations (edited, it opens the picker by
# itself); a menu command of our own accessible test program through the
# picker's menu list; a copy of a file through the file-operation editor,
# its source from the open-file dialog and its destination from the folder
# browser.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
source "$(dirname "$0")/chore_editor_lib.bash"
e2e_init chore_editor_targets
[ -f "$HK_PROBE" ] || { e2e_log "missing $HK_PROBE"; exit 1; }
app_exe="$TOLVANE_BUILD_DIR/tests/win/targeting/targeting_accessible_app.exe"
[ -f "$app_exe" ] || { e2e_log "missing $app_exe"; exit 1; }

pad="Untitled - Notepad"
mkdir -p "$E2E_WORK/files/out"
echo "copied by a chore the editor made" >"$E2E_WORK/files/src.txt"
hk_write_chores </dev/null
e2e_start_notepad
(wine "$app_exe" "Accessible Test" </dev/null >/dev/null 2>&1 &)
e2e_wait_dialog "Accessible Test" 20
hk_start

# Walks the folder browser's tree from "/" down to a folder, as a user
# does it: a click on its first item ("Desktop"), then each name typed,
# with the pause after which the tree's type-ahead starts afresh.
ce_browse_to() {  # unix-folder
  local part left top right bottom
  read -r left top right bottom <<<"$(e2e_probe control-rect "Browse for Folder" 14145)"
  [ -n "$bottom" ] || e2e_fail "no folder tree in the folder browser"
  e2e_click_at $((left + 40)) $((top + 9))
  xdotool key Down
  IFS=/ read -ra parts <<<"${1#/}"
  for part in "${parts[@]}"; do
    xdotool key Right
    sleep 0.6
    xdotool type --delay 40 -- "$part"
  done
  sleep 0.6
  xdotool key Return
}

# Window operation: the picker scans at once, Notepad is picked by its
# letter, then "Minimize".
ce_new_chore w "Windows operation"
e2e_wait_dialog "Select a window"
xdotool key n
e2e_wait_control_text "Select a window" 1051 "$pad[class]Notepad"
e2e_click_control "Select a window" 1052
xdotool key m
e2e_wait_control_text "Select a window" 1052 "Minimize"
e2e_click_control "Select a window" 1
e2e_wait_dialog_gone "Select a window"
e2e_wait_control_text "$CE_NEW" 1033 "Enter a chore name."
ce_add_chore "Min pad" ctrl+alt+m
hk_key ctrl+alt+m
e2e_wait_activity_line "Chore done: Min pad, CHORE_WINOP:$pad"
e2e_expect_contains "$(hk_probe state "$pad")" "min" "Notepad minimised by the new chore"
# Edited, it opens its picker by itself, with the operation it stored.
e2e_probe command 32801 || e2e_fail "could not ask to edit the new chore"
e2e_wait_dialog "Edit a chore"
e2e_wait_dialog "Select a window"
[ "$(e2e_control_text "Select a window" 1052)" = "Minimize" ] || e2e_fail "the stored operation is not shown"
# The first click may only close the scanned application list.
for _ in 1 2 3; do
  e2e_click_control "Select a window" 2
  e2e_probe dialog-gone "Select a window" 2 && break
done
e2e_wait_dialog_gone "Select a window"
e2e_click_control "Edit a chore" 2
e2e_wait_dialog_gone "Edit a chore"

# Menu command: the accessible program picked by its letter, "Menu", the
# menu's last item.
ce_new_chore s "Send a menu or button command"
e2e_wait_dialog "Select a menu/button"
xdotool key t
e2e_wait_control_text "Select a menu/button" 1051 "Accessible Test[class]TolvaneAccessibleApp"
e2e_click_control "Select a menu/button" 1056
e2e_wait_control_item "Select a menu/button" 1080 "Edit [] Copy"
xdotool key End Return
e2e_wait_control_text "Select a menu/button" 1080 "Edit [] Copy"
e2e_click_control "Select a menu/button" 1
e2e_wait_dialog_gone "Select a menu/button"
ce_add_chore "Copy in app" ctrl+alt+c
hk_key ctrl+alt+c
e2e_wait_activity_line "Chore done: Copy in app, CHORE_WNDMSG to menu: Edit [] Copy"
e2e_until 5 hk_probe state "invoked Copy" || e2e_fail "the menu item was not carried out"

# File operation: a source from the open-file dialog, the destination
# folder from the browser, Copy as it starts.
ops="Define file operation"
ce_new_chore f "File operation"
e2e_wait_dialog "$ops"
e2e_click_control "$ops" 1020
e2e_wait_dialog "Select source files: "
xdotool type --delay 20 -- "$(e2e_winpath "$E2E_WORK/files/src.txt")"
xdotool key Return
e2e_wait_dialog_gone "Select source files: "
e2e_click_control "$ops" 1021
e2e_wait_dialog "Browse for Folder"
ce_browse_to "$E2E_WORK/files/out"
e2e_wait_dialog_gone "Browse for Folder"
e2e_wait_control_text "$ops" 1052 "$(e2e_winpath "$E2E_WORK/files/out")"
e2e_click_control "$ops" 1062
e2e_wait_dialog_gone "$ops"
ce_add_chore "Copy out" ctrl+alt+f
hk_key ctrl+alt+f
e2e_wait_activity_line "Chore done: Copy out, CHORE_FILEOP:Copy"
cmp -s "$E2E_WORK/files/src.txt" "$E2E_WORK/files/out/src.txt" || e2e_fail "the file was not copied"

e2e_end_notepad
e2e_exit_tolvane
