#!/bin/bash
# A crash leaves a report. The crash-test build of Tolvane writes through a
# null pointer once it has greeted the user: a minidump and a one-line note
# appear beside the activity log, the note's link address turns into a
# source line with the debug information, and the next start of the real
# program names the report, renamed with its time, in the activity window.
source "$(dirname "$0")/lib.sh"
e2e_init crash_report
: "${TOLVANE_CRASH_EXE:=$TOLVANE_BUILD_DIR/src/shell/TolvaneCrashTest.exe}"
: "${TOLVANE_ADDR2LINE:=x86_64-w64-mingw32-addr2line}"

cp "$TOLVANE_CRASH_EXE" "$E2E_PROGRAM/Tolvane.exe"
e2e_start_tolvane
e2e_wait_exit 60 || e2e_fail "the crash-test build did not crash"
E2E_TOLVANE_PID=""

dump="$E2E_PROGRAM/TolvaneCrash.dmp"
[ "$(head -c 4 "$dump" 2>/dev/null)" = "MDMP" ] || e2e_fail "no minidump in the program folder: $(ls "$E2E_PROGRAM")"
note="$(tr -d '\r' <"$E2E_PROGRAM/TolvaneCrash.txt")" || e2e_fail "no crash note"
[ "$(wc -l <<<"$note")" -eq 1 ] || e2e_fail "the note is not one line: $note"
e2e_expect_contains "$note" ": exception c0000005 at Tolvane.exe+0x" "crash note"
e2e_expect_contains "$note" "; minidump written." "crash note"
link="$(sed -n 's/.*link address \(0x[0-9a-f]*\).*/\1/p' <<<"$note")"
source_line="$("$TOLVANE_ADDR2LINE" -e "$TOLVANE_CRASH_EXE" "$link")"
e2e_expect_contains "$source_line" "crash_trigger.cpp:" "the note's address as a source line"

cp "$TOLVANE_EXE" "$E2E_PROGRAM/Tolvane.exe"
e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started
[ ! -e "$dump" ] && [ ! -e "$E2E_PROGRAM/TolvaneCrash.txt" ] || e2e_fail "the report kept its first names"
kept="$(cd "$E2E_PROGRAM" && ls TolvaneCrash-*.dmp)" || e2e_fail "no renamed minidump"
activity="$(e2e_probe activity)"
e2e_expect_contains "$activity" "A crash report from the last run is in " "activity window"
e2e_expect_contains "$activity" "$kept and ${kept%.dmp}.txt." "activity window"
e2e_expect_contains "$activity" ": exception c0000005 at Tolvane.exe+0x" "activity window"
e2e_exit_tolvane
