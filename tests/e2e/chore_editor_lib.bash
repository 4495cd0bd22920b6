# Shared by the chore editor's end-to-end tests (chore_editor*.sh): the
# editor opened, a type picked, a chore named and added, as a user does it.

CE_NEW="Create a new chore"

# A new chore of the type with this first letter: the type list has the
# focus (and drops down by itself; Wine's list closes on the letter).
ce_new_chore() {  # letter type
  e2e_probe command 32788 || e2e_fail "could not ask for a new chore"
  e2e_wait_dialog "$CE_NEW"
  e2e_click_caption "$CE_NEW"
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
