#pragma once
// Message boxes that stop and ask the user, so that tests can answer them
// and read their texts and captions.

#include <string_view>

namespace tolvane {

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A Yes/No question; true for Yes.
  virtual bool askYesNo(std::u16string_view text, std::u16string_view caption) = 0;

  // A warning box (exclamation icon) with Retry and Cancel; true for Retry.
  virtual bool askRetryCancel(std::u16string_view text, std::u16string_view caption) = 0;

  // An error box (error icon) with an OK button.
  virtual void showError(std::u16string_view text, std::u16string_view caption) = 0;

  // A warning box (exclamation icon) with an OK button.
  virtual void showWarning(std::u16string_view text, std::u16string_view caption) = 0;
};

}  // namespace tolvane
