#pragma once
// The clipboard as plain text (CF_TEXT in the system's ANSI code page).

#include <string>
#include <string_view>

namespace tolvane {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with the text (CF_TEXT only). False
  // when the clipboard could not be opened; nothing is changed then.
  virtual bool writeText(std::u16string_view text) = 0;

  // The clipboard's text; empty when it holds none or cannot be opened.
  virtual std::u16string readText() = 0;

  // Empties the clipboard.
  virtual void clear() = 0;
};

}  // namespace tolvane
