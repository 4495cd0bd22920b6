#pragma once
// "&Color options": the chore tree's background. Every colour the user
// tries shows on the tree at once through `preview`; OK closes with 114
// and keeps a colour other than the one at opening, Cancel puts the one at
// opening back.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "controls/dialog_base/dialog_base.h"
#include "editors/editor_context.h"
#include "editors/options/tree_color.h"

namespace tolvane::win32 {

using TreeColorPreview = std::function<void(std::uint32_t)>;

class CChoreListColorDlg final : public CDialogBase {
 public:
  CChoreListColorDlg(HINSTANCE instance, TreeColorChoice& choice, TreeColorPreview preview);

 protected:
  BOOL onInitDialog() override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void onCommand(int id);
  void chooseFromPalette();
  // The tree and the first swatch follow the choice.
  void showChoice();
  std::uint32_t swatchColor(int id) const;
  void drawSwatch(const DRAWITEMSTRUCT& item) const;

  TreeColorChoice& choice_;
  TreeColorPreview preview_;
};

// The colour to keep as `treeBkColor`; none when it is the same as before
// or the user cancelled.
std::optional<std::uint32_t> editTreeColor(HWND parent, const EditorContext& context, TreeColorPreview preview);

}  // namespace tolvane::win32
