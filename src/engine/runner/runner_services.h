#pragma once
// What a running chore list needs from the rest of the program to carry out
// a step and test its completion condition.

#include <string>
#include <string_view>

#include "library/chore.h"
#include "library/hot_key_code.h"

namespace tolvane {

class RunnerServices {
 public:
  virtual ~RunnerServices() = default;

  // Carries out the step's chore; false when the chore was not done.
  virtual bool executeChore(const Chore& chore) = 0;

  // Whether a main window with that title exists; with `activate` it is
  // also brought to the front.
  virtual bool windowExists(std::u16string_view title, bool partialMatch, bool activate) = 0;

  // Whether a file or folder exists at the path.
  virtual bool fileExists(std::u16string_view path) = 0;

  // The text on the clipboard; empty when there is none.
  virtual std::u16string clipboardText() = 0;
  virtual void clearClipboard() = 0;

  // A Yes/No question box without owner; true for Yes.
  virtual bool askYesNo(std::u16string_view question, std::u16string_view caption) = 0;

  // The default beep that marks a failed run.
  virtual void beep() = 0;

  // Starts another chore list by name (refused when it is in progress).
  virtual void launchChoreList(std::u16string_view name) = 0;

  // A key combination as the hot-key control shows it ("Ctrl + Alt + K").
  virtual std::u16string hotKeyText(HotKeyCode key) = 0;
};

}  // namespace tolvane
