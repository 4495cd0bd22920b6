#pragma once
// One chore: a single action, and (as a step of a chore list) the
// condition that must hold before the list goes on.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/chore_types.h"
#include "library/hot_key_code.h"

namespace tolvane {

class Event;

struct FileOperation {
  std::int32_t fileOpType = FILEOP_COPY;
  std::u16string fileOpDest;
  bool fileOpConfirm = false;
  std::vector<std::u16string> fileOpSource;

  friend bool operator==(const FileOperation&, const FileOperation&) = default;
};

// Target rectangle of a "Position" window operation, in screen coordinates.
struct WindowPosition {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  // The mark of a position that could not be read.
  static WindowPosition invalid() { return {-1, -1, -2, -2}; }
  bool isInvalid() const { return left == -1 && right == -2; }

  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

struct Chore {
  std::u16string name;
  std::u16string verb;
  std::int32_t type = CHORE_UNKNOWN;
  std::u16string object;
  bool startNew = false;
  std::u16string cmdArgs;
  std::u16string initialDir;
  std::u16string procName;
  std::u16string mainWndCls;
  std::u16string mainWndTxt;
  bool partialMatch = false;
  std::uint16_t wndMsg = 0;
  std::int32_t wParam = 0;
  std::int32_t lParam = 0;
  std::optional<WindowPosition> winPos;
  std::uint16_t notifyCode = 0;
  std::u16string ctrlWndCls;
  std::u16string ctrlWndTxt;
  std::u16string menuOption;
  std::int32_t menuID = 0;
  HotKeyCode menuSimKey;
  std::int32_t keyRepeat = 1;
  bool hitEnter = false;
  std::int32_t newWindow = 0;
  FileOperation fileOp;
  std::u16string siteName;
  HotKeyCode hotKey;

  // Step fields.
  std::int32_t compType = COMP_NONE;
  std::u16string compData;
  std::shared_ptr<Event> completionEvent;  // run time only, never stored
  HotKeyCode hotKeyChore;
  std::int32_t timeout = 0;
  bool continueOnTimeout = false;
  bool stepPartialMatch = false;

  // A lookup that found nothing yields a default record: type unknown,
  // empty name.
  bool isFound() const { return type != CHORE_UNKNOWN || !name.empty(); }

  // Takes the step fields of `step`, keeping this chore's own fields.
  void takeStepFields(const Chore& step);

  // Stored fields only: run-time fields do not take part.
  friend bool operator==(const Chore& a, const Chore& b);
};

// Chores and lists the wizard made ("_Wiz+..."): the tree neither renames
// them nor opens them in the editors.
inline bool isWizardName(std::u16string_view name) { return name.starts_with(u"_Wiz+"); }

}  // namespace tolvane
