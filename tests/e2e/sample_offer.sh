#!/bin/bash
# With a sample folder and no chore files, the start-up asks whether to use
# the samples; Yes copies both files and the tree shows their chores and
# lists. Once the user has files of their own, a lost chore file brings the
# offer of their backup, never the samples', and No changes nothing of
# theirs.
source "$(dirname "$0")/lib.sh"
e2e_init sample_offer
e2e_has_companion || { e2e_log "SKIP: needs TolvaneBho.dll"; exit 0; }
e2e_install_sample_folder

e2e_start_tolvane
question="$(e2e_probe message Tolvane 40)" || e2e_fail "no question about the sample files"
e2e_expect_contains "$question" "No chore file was found." "sample question"
e2e_expect_contains "$question" "Would you like to copy and use the sample files to start?" "sample question"
sleep 0.5
e2e_screenshot "$E2E_WORK/sample-question.png"
e2e_probe answer Tolvane 6 || e2e_fail "could not answer Yes"
e2e_wait_main_window 20

cmp -s "$E2E_PROGRAM/sample/_TolvaneChores.xml" "$E2E_PROGRAM/_TolvaneChores.xml" || e2e_fail "chore file not copied"
cmp -s "$E2E_PROGRAM/sample/_TolvaneChoreLists.xml" "$E2E_PROGRAM/_TolvaneChoreLists.xml" || e2e_fail "list file not copied"
tree="$(e2e_probe tree)"
e2e_expect_contains "$tree" "Explore my Documents [0]" "tree"
e2e_expect_contains "$tree" "Start Notepad [3]" "tree"
e2e_expect_contains "$tree" "Chore Lists [10]" "tree"
e2e_expect_contains "$(e2e_probe status)" "/" "status counts"
sleep 1
e2e_screenshot "$E2E_WORK/sample-tree.png"
e2e_exit_tolvane

# The chore file goes missing; the list file and the backups stay.
rm "$E2E_PROGRAM/_TolvaneChores.xml"
snapshot() { (cd "$E2E_PROGRAM" && ls _TolvaneChore* && md5sum _TolvaneChore*); }
before="$(snapshot)"
e2e_start_answering "backup question" 7 "_TolvaneChores.xml is missing." "holds 5 chores and 1 chore list."
e2e_exit_tolvane
[ "$(snapshot)" = "$before" ] || e2e_fail "the user's files changed: $(snapshot)"
