#!/bin/bash
# Chores and lists run and stop from the command line: Tolvane.exe /run and
# /stop, and tolvanectl run, each ending with its outcome as exit code and a
# failure's line on stderr, whether hot keys are on or not. Two quick
# requests both run, one with a
# non-ASCII name; a wrong letter case is another name (1); a list runs, is
# refused while it runs (4), stops (0) and is then not running (2); an open
# editor makes Tolvane busy (4); a box captioned "Tolvane" (the second
# start's) changes nothing. With no Tolvane up, /stop starts none (2), and
# two requesters at once start one Tolvane, which takes both and stays.
# Non-ASCII names reach Wine's command line through a UTF-8 locale.
export LC_ALL=C.UTF-8
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/runner_lib.bash"
e2e_init command_line_requests
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
cp "$TOLVANE_BUILD_DIR/src/tools/tolvanectl.exe" "$E2E_PROGRAM/tolvanectl.exe"

far="Zürich 日本"
{
  echo "<Chores>"
  for name in Nap Stretch "$far"; do runner_chore_xml "$name" 17; done
  echo "</Chores>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChores.xml"
# A list that waits ten minutes, so it runs until it is stopped.
{
  echo "<ChoreLists>"
  runner_list "Long wait" 0 "$(runner_step 7 600 0 0 0 Nap)" "" ""
  echo "</ChoreLists>"
} | runner_utf16 "$E2E_PROGRAM/_TolvaneChoreLists.xml"
e2e_set_setting doActivityLog 1

# Runs a requester from the program folder (Tolvane.exe, or tolvanectl.exe
# when the first word is "ctl") and checks its exit code; its stderr is
# left in $E2E_WORK/<tag>.err.
request() {  # tag expected-code [ctl] words...
  local tag="$1" expected="$2" program="Tolvane.exe" code=0
  shift 2
  if [ "$1" = ctl ]; then program="tolvanectl.exe" && shift; fi
  (cd "$E2E_PROGRAM" && exec wine "$E2E_PROGRAM/$program" "$@" </dev/null >/dev/null 2>"$E2E_WORK/$tag.err") || code=$?
  [ "$code" = "$expected" ] || e2e_fail "$program $*: exit code $code, not $expected: $(cat "$E2E_WORK/$tag.err")"
}
said() { tr -d '\r' <"$E2E_WORK/$1.err"; }  # tag
# The activity window, for names the log file's code page cannot hold.
shown_rows() { e2e_probe activity | grep -c -F -- "$1" || true; }  # text
wait_shown() {  # text count
  e2e_until 15 e2e_output_is "$2" shown_rows "$1" || e2e_fail "the activity window shows '$1' $(shown_rows "$1") times, not $2"
}

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started

# A request is not a key: it runs with hot keys switched off by the master
# key, as they stay for the rest of this run.
desktop="$(e2e_focus_desktop)"
xdotool mousemove --window "$desktop" 640 700 key --clearmodifiers ctrl+shift+Right
e2e_wait_activity_line "Hotkey processing: DISABLED"
request nap 0 /run Nap
e2e_wait_activity_line "Chore done: Nap, CHORE_NOTHING."
request pair1 0 /run Stretch &
first=$!
request pair2 0 /run "$far" &
wait "$first" && wait $!
e2e_wait_activity_line "Chore done: Stretch, CHORE_NOTHING."
wait_shown "Chore done: $far, CHORE_NOTHING." 1

request case 1 /run nap
[ "$(said case)" = 'Tolvane: no chore or chore list is named "nap".' ] || e2e_fail "unknown name: '$(said case)'"
request usage 5 /run
e2e_expect_contains "$(said usage)" 'Usage: Tolvane.exe /run "NAME"' "usage"

request list 0 /run "Long wait"
e2e_wait_activity_line "Chore list: Long wait started..."
request again 4 /run "Long wait"
e2e_wait_activity_line "Chorelist: Long wait is in progress."
request stop 0 /stop "Long wait"
e2e_wait_activity_line "Chore list: Long wait terminated."
request stopped 2 /stop "Long wait"
request stop-chore 1 ctl stop Nap

# The second start's box is captioned "Tolvane": requests still reach the
# first Tolvane.
(cd "$E2E_PROGRAM" && exec wine "$E2E_PROGRAM/Tolvane.exe" </dev/null >/dev/null 2>&1) &
second=$!
[ "$(e2e_probe message Tolvane 20)" = "Tolvane is already running." ] || e2e_fail "the second start showed no box"
request boxed 0 /run Nap
e2e_wait_activity_line "Chore done: Nap, CHORE_NOTHING." 2
e2e_probe answer Tolvane 1 || e2e_fail "could not close the second start's box"
e2e_wait_exit 20 "$second" || e2e_fail "the second start did not end"

e2e_probe command 32788 || e2e_fail "could not open the chore editor"
e2e_wait_dialog "Create a new chore"
request busy 4 /run Nap
e2e_expect_contains "$(said busy)" "Tolvane is busy" "an open editor"
e2e_probe close "Create a new chore" || e2e_fail "could not close the editor"
e2e_wait_dialog_gone "Create a new chore"
request ctl 0 ctl run Stretch
e2e_wait_activity_line "Chore done: Stretch, CHORE_NOTHING." 2

e2e_exit_tolvane
request cold-stop 2 /stop "Long wait"
e2e_probe main-window 1 >/dev/null && e2e_fail "/stop started Tolvane"
request cold1 0 /run Nap &
first=$!
request cold2 0 ctl run "$far" &
wait "$first" && wait $!
e2e_wait_activity_line "Chore done: Nap, CHORE_NOTHING." 3
wait_shown "Chore done: $far, CHORE_NOTHING." 1
e2e_probe main-window 1 >/dev/null || e2e_fail "the started Tolvane did not stay"
e2e_probe message Tolvane 0 >/dev/null && e2e_fail "a box showed at the cold start: $(e2e_probe message Tolvane 0)"
e2e_probe command 1085 || e2e_fail "could not exit the started Tolvane"
e2e_probe gone 30 || e2e_fail "the started Tolvane did not end"
