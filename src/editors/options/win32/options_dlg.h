#pragma once
// "&Options": the program's switches. OK writes the auto-start entry at
// once and hands back the settings; the main window applies always on top
// without moving itself, deletes the debug log when asked and tells the
// companion the log size. Enter on OK or Cancel runs that button.

#include <windows.h>

#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "editors/editor_context.h"
#include "editors/options/options_form.h"

namespace tolvane::win32 {

class COptions final : public CDialogBase {
 public:
  COptions(HINSTANCE instance, const OptionsEditor& editor);

  // Set when OK took the switches.
  const std::optional<OptionsOutcome>& result() const { return result_; }

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const OptionsEditor& editor_;
  std::optional<OptionsOutcome> result_;
};

// None when the user cancels.
std::optional<OptionsOutcome> editOptions(HWND parent, const EditorContext& context);

}  // namespace tolvane::win32
