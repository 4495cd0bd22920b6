# Shared by the chore editor's end-to-end tests (chore_editor*.sh): the
# editor opened, a type picked, a chore named and added, as a user does it.

CE_NEW="Create a new chore"

# A click on the dialog's caption, as a user starting to work in it: keys
# go where the dialog's focus is, not to the window clicked last.
ce_focus_dialog() {  # caption
  local left top right bottom
  read -r left top right bottom <<<"$(e2e_probe box-rect "$1" 10)"
  [ -n "$bottom" ] || e2e_fail "no dialog \"$1\""
  xdotool mousemove --window "$(e2e_desktop_window)" $((left + 40)) $((top + 8)) click 1
}

# A new chore of the type with this first letter: the type list has the
# focus (and drops down by itself; Wine's list closes on the letter).
ce_new_chore() {  # letter type
  e2e_probe command 32788 || e2e_fail "could not ask for a new chore"
  e2e_wait_dialog "$CE_NEW"
  ce_focus_dialog "$CE_NEW"
  xdotool key "$1"
  e2e_wait_control_text "$CE_NEW" 1017 "$2"
}

# Name and hot key typed in, then Add (or Save).
ce_name_chore() {  # caption name combination
  e2e_type_into "$1" 1033 "$2"
  e2e_wait_control_text "$1" 1033 "$2"
  e2e_click_control "$1" 1027
  xdotool key "$3"
  e2e_click_control "$1" 1019
}

ce_add_chore() {  # name combination
  ce_name_chore "$CE_NEW" "$1" "$2"
  e2e_wait_dialog_gone "$CE_NEW"
}
