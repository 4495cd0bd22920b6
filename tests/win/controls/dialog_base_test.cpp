#include "controls/dialog_base/dialog_base.h"

#include <gtest/gtest.h>

#include <vector>

#include "editors/common/win32/form_binding.h"
#include "dialog_base_test_ids.h"

namespace tolvane::win32 {
namespace {

class HelperDialog final : public CDialogBase {
 public:
  HelperDialog() : CDialogBase(GetModuleHandleW(nullptr), IDD_HELPER_TEST) {}

  std::vector<int> clicked;
  bool pressEnterOnSave = false;

 protected:
  BOOL onInitDialog() override {
    setEnterButtons({IDC_VIEW, IDC_SAVE});
    if (pressEnterOnSave) {
      SetFocus(item(IDC_SAVE));
      PostMessageW(item(IDC_SAVE), WM_KEYDOWN, VK_RETURN, 0);
      return FALSE;
    }
    return TRUE;
  }
  INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    clicked.push_back(LOWORD(wParam));
    endDialog(LOWORD(wParam));
    return TRUE;
  }
};

TEST(DialogBase, TextsChecksAndItemsGoInAndComeBackOut) {
  HelperDialog dialog;
  ASSERT_NE(dialog.create(nullptr), nullptr);
  const std::u16string name = u"Gr\u00fc\u00dfe \u2713 \U0001D11E";
  dialog.setText(IDC_NAME, name);
  EXPECT_EQ(dialog.text(IDC_NAME), name);
  dialog.setChecked(IDC_FLAG, true);
  EXPECT_TRUE(dialog.isChecked(IDC_FLAG));
  dialog.setChecked(IDC_FLAG, false);
  EXPECT_FALSE(dialog.isChecked(IDC_FLAG));

  const std::vector<std::u16string> entries = {u"Explore a folder", u"Open a file or document", name};
  for (const int id : {IDC_TARGET, IDC_STEPS, IDC_CHORES}) {
    dialog.setItems(id, {u"stale"});
    dialog.setItems(id, entries);
    EXPECT_EQ(dialog.items(id), entries) << id;
    EXPECT_EQ(dialog.selectedIndex(id), -1) << id;
    dialog.selectIndex(id, 2);
    EXPECT_EQ(dialog.selectedIndex(id), 2) << id;
    dialog.selectIndex(id, -1);
    EXPECT_EQ(dialog.selectedIndex(id), -1) << id;
  }
  SendMessageW(dialog.item(IDC_CHORES), LB_SETSEL, TRUE, 0);
  SendMessageW(dialog.item(IDC_CHORES), LB_SETSEL, TRUE, 2);
  EXPECT_EQ(dialog.selectedIndices(IDC_CHORES), (std::vector<int>{0, 2}));
  dialog.enable(IDC_VIEW, false);
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_VIEW)));
  EXPECT_GT(dialog.scaled(96), 0);
}

TEST(DialogBase, FocusAndSelectLeavesTheWholeTextSelected) {
  HelperDialog dialog;
  ASSERT_NE(dialog.create(nullptr), nullptr);
  dialog.setText(IDC_NAME, u"Enter a chore name.");
  dialog.focusAndSelect(IDC_NAME);
  EXPECT_EQ(GetFocus(), dialog.item(IDC_NAME));
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(dialog.item(IDC_NAME), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 19u);
}

TEST(DialogBase, EnterOnAChosenButtonRunsThatButtonNotTheDefaultOne) {
  HelperDialog dialog;
  dialog.pressEnterOnSave = true;
  EXPECT_EQ(dialog.runModal(nullptr), IDC_SAVE);
  EXPECT_EQ(dialog.clicked, std::vector<int>{IDC_SAVE});
}

TEST(DialogBase, CentresOnItsOwner) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP | WS_VISIBLE, 100, 80, 600, 500, nullptr, nullptr,
                               nullptr, nullptr);
  HelperDialog dialog;
  ASSERT_NE(dialog.create(owner), nullptr);
  dialog.centreOnOwner();
  RECT box{};
  GetWindowRect(dialog.hwnd(), &box);
  EXPECT_NEAR((box.left + box.right) / 2, 400, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, 330, 1);
  DestroyWindow(dialog.hwnd());
  DestroyWindow(owner);
}

struct StepForm {
  std::u16string name;
  std::u16string target;
  bool flag = false;
  int step = -1;
  std::vector<int> chores;
  int choice = 0;
};

enum class StepField { Name, Target, Flag, Steps };

// The flag box doubles as a radio button of value 2.
constexpr ControlBinding<StepForm> kStepControls[] = {
    {IDC_NAME, fieldId(StepField::Name), {.text = &StepForm::name}},
    {IDC_TARGET, fieldId(StepField::Target), {.text = &StepForm::target}},
    {IDC_FLAG, fieldId(StepField::Flag), {.check = &StepForm::flag}},
    {IDC_STEPS, fieldId(StepField::Steps), {.selection = &StepForm::step}},
    {IDC_CHORES, kNoField, {.selections = &StepForm::chores}},
    {IDC_FLAG, kNoField, {.choice = &StepForm::choice, .value = 2}},
};

TEST(FormBinding, AFormShownIsTheFormReadBackAndRefusalsFindTheirControl) {
  HelperDialog dialog;
  ASSERT_NE(dialog.create(nullptr), nullptr);
  for (const int id : {IDC_STEPS, IDC_CHORES}) dialog.setItems(id, {u"a", u"b", u"c"});
  const StepForm shown{u"Backup", u"C:\\Data", true, 1, {0, 2}, 2};
  showForm(dialog, shown, kStepControls);
  EXPECT_EQ(dialog.text(IDC_TARGET), u"C:\\Data");
  dialog.setText(IDC_NAME, u"Backup 2");
  const StepForm read = readForm(dialog, kStepControls);
  EXPECT_EQ(read.name, u"Backup 2");
  EXPECT_EQ(read.target, u"C:\\Data");
  EXPECT_TRUE(read.flag);
  EXPECT_EQ(read.step, 1);
  EXPECT_EQ(read.chores, (std::vector<int>{0, 2}));
  EXPECT_EQ(read.choice, 2);
  EXPECT_EQ(controlOf(fieldId(StepField::Steps), kStepControls), IDC_STEPS);
  EXPECT_EQ(controlOf(kNoField, kStepControls), 0);
}

}  // namespace
}  // namespace tolvane::win32
