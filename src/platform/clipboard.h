#pragma once
// The clipboard as plain text.

#include <string>
#include <string_view>

namespace tolvane {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with the text in the system's ANSI
  // code page (CF_TEXT only). False when the clipboard could not be opened;
  // nothing is changed then.
  virtual bool writeText(std::u16string_view text) = 0;

  // The CF_TEXT on the clipboard, converted from the ANSI code page and cut
  // to 259 characters; empty when there is none or the clipboard could not
  // be opened.
  virtual std::u16string readText() = 0;

  // Empties the clipboard; false when it could not be opened.
  virtual bool clear() = 0;
};

}  // namespace tolvane
