#pragma once
// An editor's answer when a check fails: the message the user reads (in a
// box captioned "Tolvane"), and the control that gets the focus so that
// the user can put it right.

#include <string>
#include <utility>

namespace tolvane {

inline constexpr char16_t kEditorCaption[] = u"Tolvane";

struct Refusal {
  std::u16string message;      // empty: no box, the focus says enough
  int focusId = 0;             // the control that gets the focus, its text selected
  bool clearsControl = false;  // a hot key already taken is emptied
  std::u16string cue;          // put into an empty edit as its prompt
  bool dropsDown = false;      // a list to choose from opens

  // A message, and the control to put right.
  static Refusal at(std::u16string message, int focusId) {
    Refusal refusal;
    refusal.message = std::move(message);
    refusal.focusId = focusId;
    return refusal;
  }
  // A hot key that is taken: the message, and the control emptied.
  static Refusal clearing(std::u16string message, int focusId) {
    Refusal refusal = at(std::move(message), focusId);
    refusal.clearsControl = true;
    return refusal;
  }
  // No message: the edit gets its prompt back.
  static Refusal prompting(std::u16string cue, int focusId) {
    Refusal refusal = at({}, focusId);
    refusal.cue = std::move(cue);
    return refusal;
  }
  // No message: the combo box opens on its entries.
  static Refusal droppingDown(int focusId) {
    Refusal refusal = at({}, focusId);
    refusal.dropsDown = true;
    return refusal;
  }

  friend bool operator==(const Refusal&, const Refusal&) = default;
};

}  // namespace tolvane
