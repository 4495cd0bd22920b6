#!/bin/bash
# Real key presses do chores: each hot key leaves its one line in
# "TolvaneActivity.log" and its effect on the desktop (clipboard, a copied
# file, a running notepad activated instead of a second one, keystrokes and
# a menu command in notepad, its position, maximised and minimised). The
# modifier state must match exactly, keys typed by a chore start nothing,
# and the master hot key switches hot keys off and on.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init hotkeys_chores
[ -f "$HK_PROBE" ] || { e2e_log "missing $HK_PROBE"; exit 1; }

mkdir -p "$E2E_WORK/files/out"
echo "copied by a hot key" >"$E2E_WORK/files/src.txt"
src="$(e2e_winpath "$E2E_WORK/files/src.txt")"
out="$(e2e_winpath "$E2E_WORK/files/out")"
pad="Untitled - Notepad"
# The window's state, and its text's length, as the chores change them.
pad_state_has() { [[ "$(hk_probe state "$pad")" == *"$1"* ]]; }
pad_longer_than() { [ "$(hk_probe text "$pad" Edit | wc -c)" -gt "$1" ]; }
hk_write_chores <<CHORES
Idle|17|393294|
CtrlK|17|131147|
Clip|18|393283|siteName=tolvane clipboard text
Copy|6|393286|fileOpType=0;fileOpDest=$out;fileOpSource=$src
RunPad|3|393298|object=C:\\windows\\system32\\notepad.exe
TypePad|5|393300|mainWndTxt=$pad;menuSimKey=88;keyRepeat=3;hitEnter=1
TypeHot|5|393288|mainWndTxt=$pad;menuSimKey=393294
MenuPad|5|393293|mainWndTxt=$pad;wndMsg=273;menuID=279;menuOption=Edit [] Time/Date
PosPad|4|393267|mainWndTxt=$pad;notifyCode=61527;winPos=40,50,540,450
MaxPad|4|393266|mainWndTxt=$pad;notifyCode=61488
MinPad|4|393265|mainWndTxt=$pad;notifyCode=61472
CHORES

e2e_start_notepad
hk_start

hk_key ctrl+alt+n
e2e_wait_activity_line "Chore done: Idle, CHORE_NOTHING."

# Ctrl+Alt+K is not Ctrl+K.
hk_key ctrl+alt+k
hk_expect_no_more "Chore done: CtrlK" 0
hk_key ctrl+k
e2e_wait_activity_line "Chore done: CtrlK, CHORE_NOTHING."

hk_key ctrl+alt+c
e2e_wait_activity_line "Chore done: Clip, CHORE_NOTHING."
[ "$(hk_probe clipboard)" = "tolvane clipboard text" ] || e2e_fail "clipboard holds '$(hk_probe clipboard)'"

hk_key ctrl+alt+f
e2e_wait_activity_line "Chore done: Copy, CHORE_FILEOP:Copy"
cmp -s "$E2E_WORK/files/src.txt" "$E2E_WORK/files/out/src.txt" || e2e_fail "the file was not copied"

hk_key ctrl+alt+r
e2e_wait_activity_line "Chore done: RunPad, CHORE_RUN:C:\\windows\\system32\\notepad.exe"
sleep 1
[ "$(hk_probe count Notepad)" = "1" ] || e2e_fail "a second notepad was started"

hk_key ctrl+alt+t
e2e_wait_activity_line "Chore done: TypePad, CHORE_WNDMSG KeyCodeSim 58"
typed="$(hk_probe text "$pad" Edit)"
e2e_expect_contains "$typed" "xxx" "typed keys"

# The chore types Ctrl+Alt+N, Idle's hot key: injected keys start nothing.
hk_key ctrl+alt+h
e2e_wait_activity_line "Chore done: TypeHot, CHORE_WNDMSG KeyCodeSim 4e"
hk_expect_no_more "Chore done: Idle" 1

before="$(hk_probe text "$pad" Edit | wc -c)"
hk_key ctrl+alt+m
e2e_wait_activity_line "Chore done: MenuPad, CHORE_WNDMSG to window: Edit [] Time/Date"
e2e_until 5 pad_longer_than "$before" ||
  e2e_fail "Time/Date inserted nothing ($before -> $(hk_probe text "$pad" Edit | wc -c))"

hk_key ctrl+alt+3
e2e_wait_activity_line "Chore done: PosPad, CHORE_WINOP:$pad"
e2e_until 5 e2e_output_is "normal 40 50 540 450" hk_probe state "$pad" || e2e_fail "position: $(hk_probe state "$pad")"
hk_key ctrl+alt+2
e2e_wait_activity_line "Chore done: MaxPad, CHORE_WINOP:$pad"
e2e_until 5 pad_state_has max || e2e_fail "maximize: $(hk_probe state "$pad")"
hk_key ctrl+alt+1
e2e_wait_activity_line "Chore done: MinPad, CHORE_WINOP:$pad"
e2e_until 5 pad_state_has min || e2e_fail "minimize: $(hk_probe state "$pad")"

# The master hot key: off, a chore's key does nothing, on again.
hk_key ctrl+shift+Right
e2e_wait_activity_line "Hotkey processing: DISABLED"
hk_key ctrl+alt+n
hk_expect_no_more "Chore done: Idle" 1
hk_key ctrl+shift+Right
e2e_wait_activity_line "Hotkey processing: ENABLED"
hk_key ctrl+alt+n
e2e_wait_activity_line "Chore done: Idle, CHORE_NOTHING." 2

e2e_exit_tolvane
