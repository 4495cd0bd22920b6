#pragma once
// Windows found by enumeration, as the targeting rules, the picker and the
// wizard see them. Lists are built afresh on every call; nothing is cached.

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane {

// A window handle as an opaque number; 0 is no window.
using WindowHandle = std::uintptr_t;

struct WindowInfo {
  std::u16string text;
  std::u16string moduleBaseName;  // top-level windows only, e.g. notepad.exe
  std::u16string modulePath;      // top-level windows only
  std::u16string className;
  WindowHandle window = 0;
  std::int32_t controlId = 0;     // child windows only
};

using WindowInfoList = std::vector<WindowInfo>;

}  // namespace tolvane
