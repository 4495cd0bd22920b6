#!/bin/bash
# The chore editor as a user works it, with the sample chores: the selected
# clipboard chore is opened, renamed and saved, and the list step that ran
# it follows; a new "Do nothing" chore with a hot key goes right after it
# and runs from its key at once; a second chore with the same name, then
# with the same hot key, is refused with its message and nothing is added;
# after exit the chore files hold both changes in their fixed format.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/chore_editor_lib.bash"
e2e_init chore_editor
e2e_use_sample_chores
e2e_set_setting doActivityLog 1
e2e_set_setting exitSystray 0
e2e_set_text_setting lastChore "Copy a greeting"

edit="Edit a chore"

e2e_start_tolvane
e2e_wait_main_window 40
e2e_wait_started

# Editing: the clipboard chore shows its text under "Clipboard:".
e2e_probe command 32801 || e2e_fail "could not ask to edit the selected chore"
e2e_wait_dialog "$edit"
e2e_wait_activity_line "Hotkey processing: DISABLED"
[ "$(e2e_control_text "$edit" 1019)" = "Save" ] || e2e_fail "the Add button is not relabelled Save"
[ "$(e2e_control_text "$edit" 1087)" = "Clipboard:" ] || e2e_fail "site label: $(e2e_control_text "$edit" 1087)"
e2e_expect_contains "$(e2e_control_items "$edit" 1017)" "Write to clipboard [selected]" "type list"
[ "$(e2e_control_items "$edit" 1017 | wc -l)" = "10" ] || e2e_fail "without Keyrune+ ten types are offered"
[ "$(e2e_control_enabled "$edit" 1030)" = "1" ] || e2e_fail "the clipboard text cannot be edited"
[ "$(e2e_control_enabled "$edit" 1018)" = "0" ] || e2e_fail "a clipboard chore offers a target"
e2e_type_into "$edit" 1033 "Copy hello"
e2e_wait_control_text "$edit" 1033 "Copy hello"
e2e_type_into "$edit" 1030 "hello from the editor"
e2e_wait_control_text "$edit" 1030 "hello from the editor"
e2e_click_control "$edit" 1019
e2e_wait_dialog_gone "$edit"
e2e_wait_activity_line "Hotkey processing: ENABLED"
tree="$(e2e_probe tree)"
e2e_expect_contains "$tree" "  Copy hello [18] selected" "the renamed chore"
e2e_expect_contains "$tree" "    Copy hello [18]" "the list's step of the renamed chore"
if grep -qF "Copy a greeting" <<<"$tree"; then e2e_fail "the old name is still in the tree: $tree"; fi

# Creating: the type list opens by itself; "Do nothing" is picked by its
# letter, named, given Ctrl+Alt+N and added.
e2e_probe command 32788 || e2e_fail "could not ask for a new chore"
e2e_wait_dialog "$CE_NEW"
[ "$(e2e_control_enabled "$CE_NEW" 1034)" = "0" ] || e2e_fail "View is enabled before a type is chosen"
e2e_click_caption "$CE_NEW"
xdotool key d
e2e_wait_control_text "$CE_NEW" 1017 "Do nothing"
[ "$(e2e_control_enabled "$CE_NEW" 1018)" = "0" ] || e2e_fail "\"Do nothing\" offers a target"
ce_add_chore "Nap" ctrl+alt+n
tree="$(e2e_probe tree)"
e2e_expect_contains "$tree" "  Copy hello [18]
  Nap [17] selected" "the new chore right after the selected one"

e2e_focus_desktop >/dev/null
xdotool key --clearmodifiers ctrl+alt+n
e2e_wait_activity_line "Chore done: Nap, CHORE_NOTHING."

# The same name, then another name with the same hot key: refused, with
# the user put back; nothing is added.
ce_new_chore d "Do nothing"
ce_name_chore "$CE_NEW" "Nap" ctrl+alt+j
e2e_expect_box Tolvane 'Chore name: "Nap" is already used.' "the same name"
ce_name_chore "$CE_NEW" "nap" ctrl+alt+n
e2e_expect_box Tolvane 'Hotkey: Ctrl + Alt + N is already used by "Nap".' "the same hot key"
e2e_click_control "$CE_NEW" 2
e2e_wait_dialog_gone "$CE_NEW"
if e2e_probe tree | grep -q "^  nap "; then e2e_fail "a refused chore was added"; fi

e2e_exit_tolvane

# The files as the chore file format writes them: UTF-16LE, one element a
# line, the new chore with the window-command message it was preset with.
chores="$(e2e_chore_file _TolvaneChores.xml)"
nap='<Chore name="Nap">
<verb>Do nothing</verb>
<type>17</type>
<object/>
<siteName/>
<cmdArgs/>
<initialDir/>
<procName/>
<startNew>0</startNew>
<mainWndCls/>
<mainWndTxt/>
<partialMatch>0</partialMatch>
<wndMsg>273</wndMsg>
<wParam>0</wParam>
<lParam>0</lParam>
<menuOption/>
<menuID>0</menuID>
<menuSimKey>0</menuSimKey>
<keyRepeat>1</keyRepeat>
<hitEnter>0</hitEnter>
<ctrlWndCls/>
<ctrlWndTxt/>
<notifyCode>0</notifyCode>
<newWindow>0</newWindow>
<hotKey>393294</hotKey>
<fileOpType>0</fileOpType>
<fileOpDest/>
<fileOpConfirm>0</fileOpConfirm>
</Chore>'
e2e_expect_contains "$chores" "$nap" "the new chore in _TolvaneChores.xml"
e2e_expect_contains "$chores" "<Chore name=\"Copy hello\">
<verb>Write to clipboard</verb>
<type>18</type>
<object/>
<siteName>hello from the editor</siteName>" "the edited chore in _TolvaneChores.xml"
[ "$(grep -c '<Chore name=' <<<"$chores")" = "6" ] || e2e_fail "the chore file does not hold six chores"
head -c 2 "$E2E_PROGRAM/_TolvaneChores.xml" | od -An -tx1 | grep -q "3c 00" || e2e_fail "the chore file is not UTF-16LE"
[ "$(iconv -f UTF-16LE -t UTF-8 "$E2E_PROGRAM/_TolvaneChores.xml" | grep -vc $'\r$')" = "0" ] ||
  e2e_fail "the chore file has lines without a carriage return"
lists="$(e2e_chore_file _TolvaneChoreLists.xml)"
e2e_expect_contains "$lists" "<choreName>Copy hello</choreName>" "the list step in _TolvaneChoreLists.xml"
