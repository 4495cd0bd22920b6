#include "controls/truncated_tips/truncated_tips.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/dialog_base/dialog_base.h"
#include "dialog_base_test_ids.h"

namespace tolvane::win32 {
namespace {

class TipsDialog final : public CDialogBase {
 public:
  TipsDialog() : CDialogBase(GetModuleHandleW(nullptr), IDD_HELPER_TEST) {}

 protected:
  INT_PTR onMessage(UINT, WPARAM, LPARAM) override { return FALSE; }
};

const std::u16string kLong = u"C:\\Users\\someone\\Documents\\A folder with a long name\\and a file that does not fit.txt";

RECT listItemRect(HWND list, int index) {
  RECT rect{};
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

POINT inside(const RECT& rect) { return {rect.left + 3, (rect.top + rect.bottom) / 2}; }

std::u16string tipText(HWND tip, HWND control) {
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = control;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return std::u16string(text, text + wcslen(text));
}

TEST(TruncatedTips, AListItemCutShortShowsWholeOverItselfWhileTheMouseRestsOnIt) {
  TipsDialog dialog;
  ASSERT_NE(dialog.create(nullptr), nullptr);
  HWND list = dialog.item(IDC_STEPS);
  dialog.setItems(IDC_STEPS, {u"Short", kLong});
  attachTruncatedTips(list);
  const RECT shortItem = listItemRect(list, 0);
  const RECT longItem = listItemRect(list, 1);

  EXPECT_FALSE(truncatedTextAt(list, inside(shortItem)).has_value());
  const std::optional<TruncatedText> cut = truncatedTextAt(list, inside(longItem));
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->text, kLong);
  EXPECT_TRUE(EqualRect(&cut->area, &longItem));

  HWND tip = truncatedTipWindow(list);
  ASSERT_NE(tip, nullptr);
  const POINT over = inside(longItem);
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(tipText(tip, list), kLong);
  const POINT away = inside(shortItem);
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(away.x, away.y));
  EXPECT_FALSE(IsWindowVisible(tip));

  DestroyWindow(dialog.hwnd());
  EXPECT_FALSE(IsWindow(tip)) << "the tip goes with its control";
}

TEST(TruncatedTips, EditsAndEveryPartOfAComboBoxGetTheirTips) {
  TipsDialog dialog;
  ASSERT_NE(dialog.create(nullptr), nullptr);
  HWND edit = dialog.item(IDC_NAME);
  attachTruncatedTips(edit);
  RECT editArea{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&editArea));
  dialog.setText(IDC_NAME, kLong);
  ASSERT_TRUE(truncatedTextAt(edit, inside(editArea)).has_value());
  EXPECT_EQ(truncatedTextAt(edit, inside(editArea))->text, kLong);
  dialog.setText(IDC_NAME, u"Backup");
  EXPECT_FALSE(truncatedTextAt(edit, inside(editArea)).has_value());

  HWND combo = dialog.item(IDC_TARGET);
  dialog.setItems(IDC_TARGET, {kLong});
  dialog.selectIndex(IDC_TARGET, 0);
  attachTruncatedTips(combo);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_NE(truncatedTipWindow(info.hwndList), nullptr);
  ASSERT_NE(truncatedTipWindow(info.hwndItem), nullptr);
  RECT comboEditArea{};
  SendMessageW(info.hwndItem, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&comboEditArea));
  ASSERT_TRUE(truncatedTextAt(info.hwndItem, inside(comboEditArea)).has_value());
  EXPECT_EQ(truncatedTextAt(info.hwndItem, inside(comboEditArea))->text, kLong);
}

}  // namespace
}  // namespace tolvane::win32
