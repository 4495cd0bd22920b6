#!/bin/bash
# Surf and logon chores go through the Keyrune+ stand-in: refused in order
# while Keyrune+ is not installed, not running, or its master key is not
# validated; then done, with the command and the site reaching Keyrune+.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hotkeys_lib.bash"
e2e_init hotkeys_surf
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
keyrune="${TOLVANE_KEYRUNE:-$TOLVANE_BUILD_DIR/tests/win/companion/Keyrune+.exe}"
[ -f "$keyrune" ] || { e2e_log "SKIP: needs the Keyrune+ stand-in"; exit 0; }
# Beside the program, so that both load the one companion library and
# share its block.
cp "$keyrune" "$E2E_PROGRAM/Keyrune+.exe"
record="$E2E_WORK/keyrune.txt"

hk_write_chores <<'CHORES'
Surf|7|393299|siteName=example.com
Logon|8|393292|siteName=bank.example
CHORES
hk_start

hk_key ctrl+alt+s
e2e_wait_activity_line "Chore was not done: Surf, Keyrune+ is not installed."
wine reg add 'HKCU\SOFTWARE\Tallowmere\Keyrune+' /f </dev/null >/dev/null 2>&1
hk_key ctrl+alt+s
e2e_wait_activity_line "Chore was not done: Surf, Keyrune+ is not running."

start_keyrune() {
  : >"$record"
  (cd "$E2E_PROGRAM" && exec wine "$E2E_PROGRAM/Keyrune+.exe" --record "$(e2e_winpath "$record")" "$@" \
    </dev/null >"$E2E_WORK/keyrune.log" 2>&1) &
  KEYRUNE_PID=$!
  e2e_until 10 grep -q ready "$record" || e2e_fail "the Keyrune+ stand-in did not get ready: $(cat "$E2E_WORK/keyrune.log")"
}
stop_keyrune() {
  kill "$KEYRUNE_PID" 2>/dev/null || true
  e2e_wait_exit 10 "$KEYRUNE_PID" || e2e_fail "the Keyrune+ stand-in did not end"
}

start_keyrune --not-validated
hk_key ctrl+alt+s
e2e_wait_activity_line "Chore was not done: Surf, master key has not been validated."
stop_keyrune

start_keyrune
hk_key ctrl+alt+s
e2e_wait_activity_line "Chore done: Surf, CHORE_SURF to example.com."
hk_key ctrl+alt+l
e2e_wait_activity_line "Chore done: Logon, CHORE_LOGON to bank.example."
recorded="$(tr -d '\r' <"$record")"
e2e_expect_contains "$recorded" "gotoUrl example.com" "Keyrune+ record"
e2e_expect_contains "$recorded" "logon bank.example" "Keyrune+ record"
stop_keyrune

e2e_exit_tolvane
