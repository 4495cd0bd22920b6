#!/bin/bash
# Takes the help file's pictures with the end-to-end tests' own tools: the
# built Tolvane with the sample chores, under Wine in Xvfb. Run it after a
# change the pictures should show; the PNGs are kept in the repository, so
# the build never needs Wine for them.
#   resources/help/make_screenshots.sh   (uses build/windows)
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../tests/e2e/lib.sh"
e2e_init help_screenshots

e2e_install_sample_folder
e2e_set_setting choreExpanded 1
e2e_set_setting choreListExpanded 1
e2e_start_tolvane
e2e_wait_main_window 40
if e2e_probe message Tolvane 30 | grep -q 'No chore file was found'; then e2e_probe answer Tolvane 6; fi
e2e_wait_started
# Wine's Explorer, started for the companion, opens a moment later and on top.
sleep 3
e2e_probe raise
sleep 1
read -r left top right bottom <<<"$(e2e_probe rect)"
e2e_screenshot "$E2E_WORK/desktop.png"
/usr/bin/convert "$E2E_WORK/desktop.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
  "$here/images/main_window.png"
e2e_log "wrote $here/images/main_window.png"
e2e_exit_tolvane
