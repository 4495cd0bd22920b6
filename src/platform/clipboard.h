#pragma once
// The clipboard as plain text.

#include <string_view>

namespace tolvane {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with the text in the system's ANSI
  // code page (CF_TEXT only). False when the clipboard could not be opened;
  // nothing is changed then.
  virtual bool writeText(std::u16string_view text) = 0;
};

}  // namespace tolvane
