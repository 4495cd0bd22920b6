#pragma once
// The clipboard as plain text (CF_TEXT in the system's ANSI code page).

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

// How far writing the clipboard got.
enum class ClipboardWrite {
  Written,
  NotOpened,     // nothing was changed
  NoMemory,      // the memory for the text could not be had; the clipboard is empty
  NotPlaced,     // the clipboard refused the text; it is empty
};

struct ClipboardWriteResult {
  ClipboardWrite outcome = ClipboardWrite::Written;
  std::uint32_t error = 0;  // the system's error code of a failure
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces the clipboard's contents with the text (CF_TEXT only).
  virtual ClipboardWriteResult writeText(std::u16string_view text) = 0;

  // The clipboard's text; empty when it holds none or cannot be opened.
  virtual std::u16string readText() = 0;

  // Empties the clipboard.
  virtual void clear() = 0;
};

}  // namespace tolvane
