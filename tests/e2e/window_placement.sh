#!/bin/bash
# The saved position and size come back at the next start; a position off
# the screen is ignored; the close stores the window's place and size.
source "$(dirname "$0")/lib.sh"
e2e_init window_placement
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
e2e_set_setting left 100
e2e_set_setting top 80
e2e_set_setting progWidth 700
e2e_set_setting progHeight 500

e2e_start_tolvane
e2e_wait_main_window 40
read -r left top right bottom <<<"$(e2e_probe rect)"
[ "$left $top" = "100 80" ] || e2e_fail "saved position not used: $left $top"
[ $((right - left)) = 700 ] && [ $((bottom - top)) = 500 ] || e2e_fail "saved size not used: $left $top $right $bottom"
e2e_exit_tolvane
[ "$(e2e_setting left)" = "0x64" ] || e2e_fail "left not stored"
[ "$(e2e_setting progWidth)" = "0x2bc" ] || e2e_fail "progWidth not stored"

e2e_set_setting left 5000
e2e_set_setting top 5000
e2e_start_tolvane
e2e_wait_main_window 40
read -r left top right bottom <<<"$(e2e_probe rect)"
[ "$left" -lt 1280 ] && [ "$top" -lt 800 ] || e2e_fail "an off-screen position was applied: $left $top"
e2e_exit_tolvane
