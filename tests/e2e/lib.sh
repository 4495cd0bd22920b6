# Shared by the end-to-end tests: each test sources this file, calls
# e2e_init with its name, and gets its own Xvfb display, Wine prefix and
# program folder under $TOLVANE_BUILD_DIR/e2e/<name>, all removed or
# stopped again when the test exits.
#
# Environment (ctest sets it; scripts can too):
#   TOLVANE_BUILD_DIR  the windows build folder
#   TOLVANE_EXE        Tolvane.exe           (default: <build>/src/shell/Tolvane.exe)
#   TOLVANE_PROBE      e2e_probe.exe         (default: <build>/tests/e2e/e2e_probe.exe)
#   TOLVANE_BHO        TolvaneBho.dll, optional
set -Eeuo pipefail
# A command that fails outside a check ends the test: say which, or the
# log shows a failure without a reason.
trap 'e2e_log "FAIL: line $LINENO of $(basename "${BASH_SOURCE[0]}"): $BASH_COMMAND"' ERR

E2E_SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_REPO_DIR="$(cd "$E2E_SOURCE_DIR/../.." && pwd)"
: "${TOLVANE_BUILD_DIR:=$E2E_REPO_DIR/build/windows}"
: "${TOLVANE_EXE:=$TOLVANE_BUILD_DIR/src/shell/Tolvane.exe}"
: "${TOLVANE_PROBE:=$TOLVANE_BUILD_DIR/tests/e2e/e2e_probe.exe}"
: "${TOLVANE_BHO:=$TOLVANE_BUILD_DIR/src/companion/TolvaneBho.dll}"

E2E_XVFB_PID=""
E2E_TOLVANE_PID=""
E2E_FAILED=0

e2e_log() { echo "[e2e:${E2E_NAME:-?}] $*" >&2; }

e2e_fail() {
  e2e_log "FAIL: $*"
  E2E_FAILED=1
  e2e_screenshot "$E2E_WORK/failure.png" || true
  exit 1
}

e2e_cleanup() {
  local status=$?
  if [ -n "${E2E_TOLVANE_PID:-}" ] && kill -0 "$E2E_TOLVANE_PID" 2>/dev/null; then kill "$E2E_TOLVANE_PID" 2>/dev/null || true; fi
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ -n "$E2E_XVFB_PID" ]; then kill "$E2E_XVFB_PID" 2>/dev/null || true; fi
  if [ $status -eq 0 ] && [ $E2E_FAILED -eq 0 ]; then e2e_log "PASS"; fi
  exit $status
}

# A display number nobody uses: Xvfb refuses one that is taken, so try
# from a base derived from the process id upwards.
e2e_start_xvfb() {
  local n=$((100 + $$ % 400)) tries=0
  while [ $tries -lt 50 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$E2E_WORK/xvfb.log" 2>&1 &
      E2E_XVFB_PID=$!
      local waited=0
      while [ $waited -lt 50 ]; do
        if [ -e "/tmp/.X11-unix/X$n" ]; then
          export DISPLAY=":$n"
          return 0
        fi
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.1
        waited=$((waited + 1))
      done
      kill "$E2E_XVFB_PID" 2>/dev/null || true
      E2E_XVFB_PID=""
    fi
    n=$((n + 1))
    tries=$((tries + 1))
  done
  e2e_log "no free X display"
  return 1
}

# One prepared prefix per build folder, copied for every test: wineboot
# costs several seconds, a copy a fraction of one.
e2e_template_prefix() {
  local template="$TOLVANE_BUILD_DIR/e2e/template-prefix"
  (
    flock 9
    if [ ! -f "$template/.tolvane-e2e-ready" ]; then
      rm -rf "$template"
      mkdir -p "$template"
      export WINEPREFIX="$template"
      wineboot -i </dev/null >/dev/null 2>&1
      # Every process of the test lands on one Wine desktop, so the probe
      # sees Tolvane's windows and the tray shows in the taskbar.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f </dev/null >/dev/null 2>&1
      wineserver -w
      touch "$template/.tolvane-e2e-ready"
    fi
  ) 9>"$TOLVANE_BUILD_DIR/e2e/template-prefix.lock"
  echo "$template"
}

# A prefix of its own for the test, at a fraction of the template's 700 MB:
# the program files Wine only reads are hard links to the template's; the
# registry, the .ini files and the rest Wine may rewrite get private copies.
e2e_copy_prefix() {  # template destination
  cp -al "$1" "$2"
  find "$2" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
      -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.nls' \
      -o -iname '*.ttf' -o -iname '*.ax' -o -iname '*.ds' \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' copy {} +
}

e2e_init() {
  E2E_NAME="$1"
  [ -f "$TOLVANE_EXE" ] || { e2e_log "missing $TOLVANE_EXE"; exit 1; }
  [ -f "$TOLVANE_PROBE" ] || { e2e_log "missing $TOLVANE_PROBE"; exit 1; }
  mkdir -p "$TOLVANE_BUILD_DIR/e2e"
  E2E_WORK="$TOLVANE_BUILD_DIR/e2e/$E2E_NAME"
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK/program"
  E2E_PROGRAM="$E2E_WORK/program"
  cp "$TOLVANE_EXE" "$E2E_PROGRAM/Tolvane.exe"
  if [ -n "$TOLVANE_BHO" ] && [ -f "$TOLVANE_BHO" ]; then cp "$TOLVANE_BHO" "$E2E_PROGRAM/TolvaneBho.dll"; fi
  cp "$TOLVANE_PROBE" "$E2E_WORK/e2e_probe.exe"

  local template
  template="$(e2e_template_prefix)"
  e2e_copy_prefix "$template" "$E2E_WORK/prefix"
  export WINEPREFIX="$E2E_WORK/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winealsa.drv=d"
  export WINEARCH=win64
  trap e2e_cleanup EXIT
  e2e_start_xvfb
  # A persistent server for the test; pre-warmed with every descriptor
  # redirected, so no service it starts holds the caller's pipes.
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Windows path of a file under the test's folders.
e2e_winpath() { echo "Z:$(echo "$1" | sed 's#/#\\#g')"; }

e2e_has_companion() { [ -f "$E2E_PROGRAM/TolvaneBho.dll" ]; }

e2e_start_tolvane() {
  (cd "$E2E_PROGRAM" && exec wine "$E2E_PROGRAM/Tolvane.exe" </dev/null >"$E2E_WORK/tolvane.log" 2>&1) &
  E2E_TOLVANE_PID=$!
}

# Runs the probe inside the test's Wine desktop; its output on stdout.
e2e_probe() { wine "$E2E_WORK/e2e_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Runs the command (its output dropped) until it succeeds, a tenth of a
# second apart; false once it has failed ten times for each of `seconds`.
e2e_until() {  # seconds command...
  local tries=$(($1 * 10))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $tries -gt 0 ] || return 1
    tries=$((tries - 1))
    sleep 0.1
  done
}

# Succeeds when the command prints exactly the text: for e2e_until.
e2e_output_is() { [ "$("${@:2}")" = "$1" ]; }  # text command...

e2e_wait_main_window() {
  e2e_probe main-window "${1:-30}" >/dev/null || e2e_fail "main window did not appear"
}

# Waits until start-up has run to its end (the greeting is in the activity
# window). The window exists earlier, while start-up may still wait for
# Explorer; commands and keys sent before then race with it.
e2e_wait_started() {
  local limit="${1:-30}" i
  for ((i = 0; i < limit * 4; i++)); do
    e2e_probe activity | grep -qF "Tolvane at your service..." && return 0
    sleep 0.25
  done
  e2e_fail "start-up did not finish within $limit s"
}

# Waits for the process started by e2e_start_tolvane (or the given pid) to end.
e2e_wait_exit() { e2e_until "${1:-20}" e2e_ended "${2:-$E2E_TOLVANE_PID}"; }  # [seconds] [pid]

e2e_ended() { ! kill -0 "$1" 2>/dev/null; }  # pid

# Ends Tolvane through the tray menu's exit command and waits for it.
e2e_exit_tolvane() {
  e2e_probe command 1085 || e2e_fail "could not send the exit command"
  e2e_wait_exit 30 || e2e_fail "Tolvane did not end after the exit command"
  E2E_TOLVANE_PID=""
}

# Waits until the main window is shown (1) or hidden (0); fails when
# Tolvane ends instead.
e2e_wait_visible() {  # 0|1 what [seconds]
  local limit=$(( ${3:-10} * 10 )) waited=0
  until [ "$(e2e_probe visible)" = "$1" ]; do
    if [ -n "${E2E_TOLVANE_PID:-}" ] && ! kill -0 "$E2E_TOLVANE_PID" 2>/dev/null; then e2e_fail "$2: Tolvane ended"; fi
    [ $waited -ge $limit ] && e2e_fail "$2"
    sleep 0.1
    waited=$((waited + 1))
  done
}

e2e_reg_query() {  # key value
  wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $3 }'
}

# Tolvane's settings in the test's registry.
E2E_SETTINGS_KEY='HKCU\Software\Tallowmere\Tolvane\Settings'

e2e_set_setting() {  # name dword
  wine reg add "$E2E_SETTINGS_KEY" /v "$1" /t REG_DWORD /d "$2" /f </dev/null >/dev/null 2>&1
}

e2e_set_text_setting() {  # name text
  wine reg add "$E2E_SETTINGS_KEY" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1
}

# A setting as reg shows it: 0x1f4 for a number, a text up to its first
# space.
e2e_setting() { e2e_reg_query "$E2E_SETTINGS_KEY" "$1"; }  # name

e2e_screenshot() { import -display "$DISPLAY" -window root "$1" 2>/dev/null; }

# Fails unless the text holds the expected part.
e2e_expect_contains() {  # haystack needle what
  case "$1" in
    *"$2"*) ;;
    *) e2e_fail "$3: expected to find '$2' in: $1" ;;
  esac
}

# How many lines of the activity log file hold the text.
e2e_activity_count() {  # text
  local n
  n="$(grep -a -c -F -- "$1" "$E2E_PROGRAM/TolvaneActivity.log" 2>/dev/null)" || true
  echo "${n:-0}"
}

# Waits until the activity log file holds the text `count` times.
e2e_wait_activity_line() {  # text [count] [seconds]
  e2e_until "${3:-15}" e2e_activity_has "$1" "${2:-1}" ||
    e2e_fail "activity log lacks '$1' (x${2:-1}): $(tr -d '\r' <"$E2E_PROGRAM/TolvaneActivity.log" 2>/dev/null | tail -5)"
}

e2e_activity_has() { [ "$(e2e_activity_count "$1")" -ge "$2" ]; }  # text count

# A sample folder written by the program's own save code (see sample/).
e2e_install_sample_folder() {
  mkdir -p "$E2E_PROGRAM/sample"
  cp "$E2E_REPO_DIR/sample/_TolvaneChores.xml" "$E2E_REPO_DIR/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/sample/"
}

# A chore file of the program folder as text: UTF-8, without carriage returns.
e2e_chore_file() { iconv -f UTF-16LE -t UTF-8 "$E2E_PROGRAM/$1" | tr -d '\r'; }  # file name

# The sample folder, and its chore files already taken as the library.
e2e_use_sample_chores() {
  e2e_install_sample_folder
  cp "$E2E_PROGRAM/sample/_TolvaneChores.xml" "$E2E_PROGRAM/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/"
}

# Notepad, for chores and dialogs to work on: started and shown, or ended.
e2e_start_notepad() {
  (wine notepad </dev/null >/dev/null 2>&1 &)
  e2e_wait_dialog "Untitled - Notepad" 20
}

e2e_end_notepad() { wine taskkill /f /im notepad.exe </dev/null >/dev/null 2>&1 || true; }

# Dialogs, for the editors' tests: wait for one by its exact caption, read
# its controls by id, and act on them as a user would, with real clicks and
# keys into the Wine desktop. `e2e_probe controls CAPTION` lists the ids.
e2e_desktop_window() { xdotool search --name 'Wine desktop' 2>/dev/null | head -1 || true; }

# Focuses the Wine desktop's X window for the mouse and keys that follow
# and prints its id. xdotool's --sync sometimes misses the focus event
# under load: a second, plain focus is enough then.
e2e_focus_desktop() {
  local desktop
  desktop="$(e2e_desktop_window)"
  [ -n "$desktop" ] || e2e_fail "no Wine desktop window"
  xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop" 2>/dev/null || true
  echo "$desktop"
}

e2e_wait_dialog() {  # caption [seconds]
  e2e_probe dialog "$1" "${2:-10}" >/dev/null || e2e_fail "dialog \"$1\" did not appear"
}

e2e_wait_dialog_gone() {  # caption [seconds]
  e2e_probe dialog-gone "$1" "${2:-10}" || e2e_fail "dialog \"$1\" did not close"
}

e2e_control_text() { e2e_probe control-text "$1" "$2"; }      # caption id
e2e_control_checked() { e2e_probe checked "$1" "$2"; }        # caption id: 1, 0 or 2
e2e_control_items() { e2e_probe items "$1" "$2"; }            # caption id: one a line
e2e_control_enabled() { e2e_probe enabled "$1" "$2"; }        # caption id: 1 or 0

# Waits until the control's text is the expected one (typed keys arrive a
# moment after xdotool returns).
e2e_wait_control_text() {  # caption id expected [seconds]
  e2e_until "${4:-10}" e2e_output_is "$3" e2e_control_text "$1" "$2" ||
    e2e_fail "control $2 of \"$1\" shows '$(e2e_control_text "$1" "$2")', not '$3'"
}

# Waits until a list or combo box holds an item with the text: a list
# read from another program is filled a while after the click that asks
# for it, and the probe's reads are answered meanwhile.
e2e_wait_control_item() {  # caption id text [seconds]
  e2e_until "${4:-10}" e2e_control_has_item "$1" "$2" "$3" ||
    e2e_fail "control $2 of \"$1\" lacks '$3': $(e2e_control_items "$1" "$2" | paste -sd '|')"
}

e2e_control_has_item() { [[ "$(e2e_control_items "$1" "$2")" == *"$3"* ]]; }  # caption id text

# Waits until a check box is checked (1) or not (0): a click takes a moment.
e2e_wait_checked() {  # caption id 0|1
  e2e_until 3 e2e_output_is "$3" e2e_control_checked "$1" "$2" || e2e_fail "check box $2 of \"$1\" is not $3"
}

# Real clicks of the mouse at a point of the Wine desktop, or in the
# middle of a rectangle the probe printed ("left top right bottom").
e2e_click_at() {  # x y [button] [clicks]
  local desktop
  desktop="$(e2e_focus_desktop)"
  xdotool mousemove --window "$desktop" "$1" "$2" click --repeat "${4:-1}" --delay 80 "${3:-1}"
}

e2e_click_middle() {  # rectangle [button] [clicks]
  local left top right bottom
  read -r left top right bottom <<<"$1"
  [ -n "$bottom" ] || e2e_fail "nothing to click at '$1'"
  e2e_click_at $(((left + right) / 2)) $(((top + bottom) / 2)) "${2:-1}" "${3:-1}"
}

# A click on a window's title bar, as a user starting to work in it: keys
# go where its focus is, not to the window clicked last.
e2e_click_caption() {  # caption
  local left top right bottom
  read -r left top right bottom <<<"$(e2e_probe box-rect "$1" 10)"
  [ -n "$bottom" ] || e2e_fail "no window \"$1\""
  e2e_click_at $((left + 40)) $((top + 8))
}

# Clicks the middle of a control.
e2e_click_control() {  # caption id
  local rect
  rect="$(e2e_probe control-rect "$1" "$2")" || e2e_fail "no control $2 in \"$1\""
  e2e_click_middle "$rect"
}

# Clicks into a single-line edit (or an editable combo box) and types the
# text in place of what it held.
e2e_type_into() {  # caption id text
  e2e_click_control "$1" "$2"
  xdotool key --clearmodifiers Home shift+End BackSpace
  xdotool type --delay 30 -- "$3"
}

# The chore tree, as a user works it: items found by their path of labels
# from the roots ("Chores/Backup", "Chore Lists/Morning/Docs"), clicked
# with the real mouse; the labels of a branch, one a line.
e2e_tree_click() {  # path [button] [clicks]
  local rect
  rect="$(e2e_probe tree-item-rect "$1")" || e2e_fail "no tree item $1 on screen"
  e2e_click_middle "$rect" "${2:-1}" "${3:-1}"
}

# Clicks the notification-area icon with the real mouse: it sits at the
# right end of the Wine desktop's taskbar.
e2e_click_tray() { e2e_click_at 1270 790 "$1" "${2:-1}"; }  # button [clicks]

e2e_open_tray_menu() {
  e2e_click_tray 3
  e2e_probe menu 5 || e2e_fail "no tray menu"
}

e2e_tree_branch() {  # root label
  e2e_probe tree | awk -v root="$1" '
    /^[^ ]/ { inside = index($0, root " [") == 1; next }
    inside && /^  [^ ]/ { sub(/^  /, ""); sub(/ \[[0-9]+\].*$/, ""); print }'
}

# Waits until the branch holds exactly these labels, in this order.
e2e_wait_tree_branch() {  # root "label|label|..." what [seconds]
  e2e_until "${4:-10}" e2e_output_is "$2" e2e_tree_labels "$1" ||
    e2e_fail "$3: \"$1\" holds '$(e2e_tree_labels "$1")', not '$2'"
}

e2e_tree_labels() { e2e_tree_branch "$1" | paste -sd '|'; }  # root label

# Waits for a message box, checks its text and closes it with the button
# (OK unless another is given: 6 Yes, 7 No).
e2e_expect_box() {  # caption text what [button-id]
  local shown
  shown="$(e2e_probe message "$1" 10)" || e2e_fail "$3: no message box \"$1\""
  [ "$shown" = "$2" ] || e2e_fail "$3: the box says '$shown'"
  e2e_probe answer "$1" "${4:-1}" || e2e_fail "$3: could not close the box"
}

# Starts Tolvane and answers the question its start-up asks: the box must
# hold each part given, the button is clicked (6 Yes, 7 No), and start-up
# is waited for to its end.
e2e_start_answering() {  # what button part...
  local what="$1" button="$2" shown part
  shift 2
  e2e_start_tolvane
  shown="$(e2e_probe message Tolvane 40)" || e2e_fail "$what: no question at start"
  for part in "$@"; do e2e_expect_contains "$shown" "$part" "$what"; done
  e2e_probe answer Tolvane "$button" || e2e_fail "$what: could not answer"
  e2e_wait_main_window 20
  e2e_wait_started
}
