#pragma once
// Every editor's answer when a check fails: the message the user reads (in
// a box captioned "Tolvane"), the model's field it concerns and what
// follows on that field's control, so that the user can put it right.
// Fields are each model's own enum; the view's binding table maps them to
// its controls.

#include <string>
#include <utility>
#include <variant>

namespace tolvane {

inline constexpr char16_t kEditorCaption[] = u"Tolvane";

// A refusal about no field in particular: the focus stays where it is.
inline constexpr int kNoField = -1;

template <typename Field>
constexpr int fieldId(Field field) {
  return static_cast<int>(field);
}

// What the field's control gets after the message; it is focused in any case.
enum class RefusalFollowUp {
  SelectText,    // its whole text selected, so that typing replaces it
  ClearControl,  // emptied (a hot key already taken)
  PutCue,        // the cue written into it as its prompt
  DropDown,      // a list to choose from opens
};

struct Refusal {
  std::u16string message;  // empty: no box, the focus says enough
  int field = kNoField;
  RefusalFollowUp followUp = RefusalFollowUp::SelectText;
  std::u16string cue;
  // An error box rather than a warning: what the user asked for cannot be
  // done as things stand.
  bool error = false;

  // A message, and the field to put right.
  template <typename Field>
  static Refusal at(std::u16string message, Field field) {
    Refusal refusal;
    refusal.message = std::move(message);
    refusal.field = fieldId(field);
    return refusal;
  }
  // A hot key that is taken: the message, and the control emptied.
  template <typename Field>
  static Refusal clearing(std::u16string message, Field field) {
    Refusal refusal = at(std::move(message), field);
    refusal.followUp = RefusalFollowUp::ClearControl;
    return refusal;
  }
  // No message: the edit gets its prompt back.
  template <typename Field>
  static Refusal prompting(std::u16string cue, Field field) {
    Refusal refusal = at(std::u16string(), field);
    refusal.followUp = RefusalFollowUp::PutCue;
    refusal.cue = std::move(cue);
    return refusal;
  }
  // No message: the combo box opens on its entries.
  template <typename Field>
  static Refusal droppingDown(Field field) {
    Refusal refusal = at(std::u16string(), field);
    refusal.followUp = RefusalFollowUp::DropDown;
    return refusal;
  }

  template <typename Field>
  bool concerns(Field field) const {
    return this->field == fieldId(field);
  }

  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// What an editor's submit gives: its result, or why not yet.
template <typename Result>
using Submission = std::variant<Result, Refusal>;

}  // namespace tolvane
