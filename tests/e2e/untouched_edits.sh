#!/bin/bash
# Opening an editor only to look changes nothing. With Notepad running, a
# user opens every kind of chore in the chore editor and two chore lists,
# with their schedules and window completions, in the list and schedule
# editors, and accepts every dialog untouched, the picker and the
# file-operation editor that open by themselves included. Then one hot key
# is changed and one chore added, so that the files are really written:
# after exit they differ from before only by that key and that chore, byte
# for byte.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
source "$(dirname "$0")/runner_lib.bash"
source "$(dirname "$0")/chore_editor_lib.bash"
: "${TOLVANE_CTL:=$TOLVANE_BUILD_DIR/src/tools/tolvanectl.exe}"
e2e_init untouched_edits

# Ctrl+Alt+key, packed as the files hold hot keys.
ctrl_alt() { echo $(((6 << 16) | $(printf '%d' "'$1"))); }

pad="procName=notepad.exe;mainWndTxt=Untitled - Notepad;mainWndCls=Notepad"
send="verb=Send a menu or button command"
winop="verb=Windows operation"
# In the tree's order, which the test walks with the arrow keys.
hk_write_chores <<EOF
Minimise Notepad|4|$(ctrl_alt 1)|$winop;$pad;wndMsg=0;notifyCode=61472
Place Notepad|4|0|$winop;$pad;wndMsg=274;notifyCode=61527;winPos=10,20,810,620
Open the Start Menu|5|0|$send;procName=Explorer.exe;mainWndCls=Progman;mainWndTxt=Program Manager;wndMsg=274;notifyCode=61744
Save in Notepad|5|$(ctrl_alt S)|$send;$pad;wndMsg=273;menuOption=File [] Save;menuID=258
Copy in app|5|0|$send;procName=targeting_accessible_app.exe;mainWndTxt=Accessible Test;mainWndCls=TolvaneAccessibleApp;wndMsg=273;menuOption=Edit [] Copy;menuID=-268439553
Press OK|5|0|$send;procName=notepad.exe;mainWndTxt=Find;mainWndCls=#32770;ctrlWndTxt=OK;ctrlWndCls=Button;wndMsg=273
Type in Notepad|5|0|$send;mainWndTxt=Untitled - Notepad;mainWndCls=Notepad;wndMsg=0;menuSimKey=131155;keyRepeat=2;hitEnter=1
Move files|6|0|verb=File operation;fileOpType=1;fileOpDest=C:\Out;fileOpConfirm=1;fileOpSource=C:\b.txt;fileOpSource=C:\A.txt
Start Notepad|3|0|verb=Run a program or its shortcut;object=C:\windows\notepad.exe;cmdArgs=notes.txt;initialDir=C:\users;startNew=1
Explore users|0|0|verb=Explore a folder;object=C:\users;newWindow=1
Maximise Notepad|4|$(ctrl_alt 2)|$winop;$pad;wndMsg=274;notifyCode=61488;partialMatch=1
EOF
# Neither list ever starts by itself: Morning at midnight, which is never
# ahead, Evening only on a day gone by. A delay step carries the partial
# match an older version left on it.
step() {  # chore compType compData hotKeyChore partialMatch timeout continue
  local data="<compData>$3</compData>"
  [ -z "$3" ] && data="<compData/>"
  printf '%s\n' "<choreName>$1</choreName>" "<compType>$2</compType>" "$data" "<hotKeyChore>$4</hotKeyChore>" \
    "<partialMatch>$5</partialMatch>" "<timeout>$6</timeout>" "<continueOnTimeout>$7</continueOnTimeout>"
}
{
  echo "<ChoreLists>"
  echo "<Chorelist name=\"Morning\" hotKey=\"$(ctrl_alt M)\">"
  step "Minimise Notepad" 1 "Untitled - Notepad" 0 1 30 1
  step "Type in Notepad" 7 2 0 1 0 0
  step "Place Notepad" 6 "" "$(ctrl_alt W)" 0 10 0
  printf '%s\n' "<runWindows>0</runWindows>" "<runTimeOfDay>000000</runTimeOfDay>" "<runEveryday>1</runEveryday>" \
    "<runDayOfWeek>montuewedthufrisatsun</runDayOfWeek>" "<runDate/>" "<runPostDelay>5</runPostDelay>" \
    "<runRepeatCount>2</runRepeatCount>" "<nextChorelist>Evening</nextChorelist>" "<alwaysRun>1</alwaysRun>" \
    "</Chorelist>"
  echo "<Chorelist name=\"Evening\" hotKey=\"0\">"
  step "Save in Notepad" 2 "Untitled - Notepad" 0 0 0 0
  step "Start Notepad" 5 "Go on?" 0 0 0 0
  step "Move files" 3 'C:\flag.txt' 0 0 60 1
  printf '%s\n' "<runWindows>0</runWindows>" "<runTimeOfDay>181500</runTimeOfDay>" "<runEveryday>0</runEveryday>" \
    "<runDayOfWeek/>" "<runDate>24122019</runDate>" "<runPostDelay>0</runPostDelay>" \
    "<runRepeatCount>0</runRepeatCount>" "<nextChorelist/>" "<alwaysRun>0</alwaysRun>" "</Chorelist>"
  echo "</ChoreLists>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChoreLists.xml"
# The files as the program itself writes them are what must come back.
wine "$TOLVANE_CTL" resave "$(e2e_winpath "$E2E_PROGRAM")" </dev/null >/dev/null 2>&1 || e2e_fail "tolvanectl resave failed"
mkdir -p "$E2E_WORK/before"
cp "$E2E_PROGRAM"/_TolvaneChore*.xml "$E2E_WORK/before/"

e2e_set_setting promptSave 0
e2e_start_notepad
hk_start
e2e_probe raise

edit="Edit a chore"
lists="Edit chore list"

# Accepts the dialog as soon as it shows, as OK (or the button given) does.
accept() {  # caption [button]
  e2e_probe answer "$1" "${2:-1}" || e2e_fail "no dialog \"$1\" to accept"
  e2e_wait_dialog_gone "$1"
}

tree_selects() { e2e_probe tree | grep -q "^  $1 \[[0-9]*\] selected"; }  # name

# The chore below the one just edited, opened from the tree; its
# sub-dialog opens by itself.
open_next_chore() {  # name [sub-dialog caption] [its accepting button]
  e2e_focus_desktop >/dev/null
  xdotool key Down
  e2e_probe command 32801 || e2e_fail "could not ask to edit $1"
  e2e_wait_control_text "$edit" 1033 "$1"
  [ -z "${2:-}" ] || accept "$2" "${3:-1}"
}

open_list() {  # name
  e2e_tree_click "Chore Lists/$1"
  e2e_probe command 32808 || e2e_fail "could not ask to edit $1"
}

# "Schedule", then OK in the schedule editor and "Save" in the list editor.
accept_schedule_and_list() {
  e2e_probe answer "$lists" 1037 || e2e_fail "no list editor"
  accept "Set up a schedule"
  accept "$lists" 1045
}

e2e_tree_click "Chores/Minimise Notepad"
e2e_until 5 tree_selects "Minimise Notepad" || e2e_fail "the first chore is not selected: $(e2e_probe tree)"
e2e_probe command 32801 || e2e_fail "could not ask to edit Minimise Notepad"
e2e_wait_dialog "$edit"
accept "Select a window"
accept "$edit" 1019
for chore in "Place Notepad|Select a window" "Open the Start Menu|Select a menu/button" \
  "Save in Notepad|Select a menu/button" "Copy in app|Select a menu/button" "Press OK|Select a menu/button" \
  "Type in Notepad|Select a menu/button" "Move files|Define file operation|1062" "Start Notepad" "Explore users"; do
  IFS='|' read -r name dialog button <<<"$chore"
  open_next_chore "$name" "$dialog" "$button"
  accept "$edit" 1019
done
# The one change: the last chore's hot key, its picker accepted untouched.
open_next_chore "Maximise Notepad" "Select a window"
e2e_click_control "$edit" 1027
xdotool key --clearmodifiers ctrl+alt+x
e2e_click_control "$edit" 1019
e2e_wait_dialog_gone "$edit"
# And one new chore, which goes right after it.
ce_new_chore d "Do nothing"
ce_add_chore "Added" ctrl+alt+n

# Morning: its window completion looked at in the picker and each step
# shown in turn; Evening: only its schedule.
open_list Morning
e2e_probe answer "$lists" 1036 || e2e_fail "no list editor for Morning"
accept "Select a window"
read -r left top _ _ <<<"$(e2e_probe control-rect "$lists" 1035)"
e2e_click_at $((left + 20)) $((top + 6))
xdotool key Down Down
e2e_until 5 e2e_output_is $'Minimise Notepad\nType in Notepad\nPlace Notepad [selected]' \
  e2e_control_items "$lists" 1035 || e2e_fail "steps: $(e2e_control_items "$lists" 1035)"
accept_schedule_and_list
open_list Evening
accept_schedule_and_list

e2e_end_notepad
e2e_exit_tolvane
cmp -s "$E2E_WORK/before/_TolvaneChoreLists.xml" "$E2E_PROGRAM/_TolvaneChoreLists.xml" ||
  e2e_fail "the chore lists changed: $(diff <(iconv -f UTF-16LE -t UTF-8 "$E2E_WORK/before/_TolvaneChoreLists.xml" |
    tr -d '\r') <(e2e_chore_file _TolvaneChoreLists.xml))"
python3 - "$E2E_WORK/before/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChores.xml" "$(ctrl_alt 2)" "$(ctrl_alt X)" <<'PY' ||
import difflib, re, sys
before, after = (open(path, "rb").read().decode("utf-16-le") for path in sys.argv[1:3])
added = re.search(r'<Chore name="Added">\r\n.*?</Chore>\r\n', after, re.S)
if added:
    after = after[:added.start()] + after[added.end():]
expected = re.sub(r'(<Chore name="Maximise Notepad">.*?<hotKey>)%s<' % sys.argv[3], r'\g<1>%s<' % sys.argv[4],
                  before, count=1, flags=re.S)
if not added or after != expected:
    sys.stdout.writelines(difflib.unified_diff(expected.splitlines(True), after.splitlines(True), "expected", "saved"))
    sys.exit(1)
PY
  e2e_fail "the chores changed beyond one hot key and one new chore"
