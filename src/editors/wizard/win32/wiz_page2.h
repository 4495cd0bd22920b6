#pragma once
// Page 2: the window to capture keys on (or the Start Menu), and the
// capture itself: the keyboard hook records while the user types there,
// until Ctrl+Shift+Right arrow or "STOP Capture".

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_context.h"
#include "editors/wizard/captured_steps.h"
#include "editors/wizard/wizard_build.h"
#include "editors/wizard/win32/wiz_page.h"
#include "editors/wizard/win32/wizard_ids.h"

namespace tolvane::win32 {

class CWizPage2 final : public CWizPage {
 public:
  // `captureChanged` tells the frame when a capture starts or ends.
  CWizPage2(HINSTANCE instance, const EditorContext& context, std::function<void()> captureChanged);

  bool capturing() const { return capturing_; }
  bool startMenuMode() const { return startMenuMode_; }
  const std::vector<Chore>& steps() const { return steps_; }
  const CaptureTarget& target() const { return target_; }
  // The window list's selection.
  std::u16string choice() const;

  void onShow() override;
  bool canGoOn() override;
  void stop() override;
  std::vector<int> enterButtons() const override { return {IDC_WIZ_START_CAPTURE}; }
  // Enter in the window list takes its choice, as in any list.
  bool ignoresEnter(int focusedId) const override { return focusedId != IDC_WIZ_WINDOWS; }
  bool onPageKey(WPARAM virtualKey) override;

 protected:
  void onCommand(int id, int notification) override;
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void refreshWindows();
  void forgetCapture();
  void startCapture();
  void stopCapture();
  void openStartMenu();

  const EditorContext& context_;
  std::function<void()> captureChanged_;
  WindowInfoList windows_;
  bool listedOnce_ = false;
  bool capturing_ = false;
  bool startMenuMode_ = false;
  // The window the capture started on, when it was still there.
  std::optional<WindowInfo> captureWindow_;
  std::vector<Chore> steps_;
  CaptureTarget target_;
};

}  // namespace tolvane::win32
