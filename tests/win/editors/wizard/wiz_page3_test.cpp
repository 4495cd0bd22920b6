#include "editors/wizard/win32/wiz_page3.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "editors/common/win32/editor_controls.h"
#include "editors/wizard/win32/wizard_ids.h"
#include "support/editor_fakes.h"

namespace tolvane::win32 {
namespace {

HotKeyCode typed(HWND control, WPARAM key) {
  SendMessageW(control, WM_KEYDOWN, key, 0);
  SendMessageW(control, WM_KEYUP, key, 0);
  return hotKeyOf(control);
}

// The editors give a key pressed alone Ctrl; the wizard takes it as pressed.
TEST(WizardNamePage, TheHotKeyTakesAKeyPressedAloneAsItIs) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&classes);
  test::EditorFakes fakes;
  const EditorContext context = fakes.context();
  HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                               nullptr);
  CWizPage3 page(GetModuleHandleW(nullptr), context, [] { return std::u16string(); });
  ASSERT_NE(page.create(frame), nullptr);
  HWND hotKey = page.item(IDC_WIZ_HOTKEY);
  EXPECT_EQ(typed(hotKey, VK_F5), (HotKeyCode{VK_F5, 0}));
  requireModifier(hotKey);
  EXPECT_EQ(typed(hotKey, VK_F5), (HotKeyCode{VK_F5, kHotKeyControl})) << "the editors' rule";
  DestroyWindow(frame);
}

}  // namespace
}  // namespace tolvane::win32
