#include "editors/picker/win32/picker_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editors/picker/win32/picker_ids.h"
#include "platform/win32/executor/win32_window_actions.h"
#include "platform/win32/targeting/accessible_object.h"
#include "platform/win32/targeting/win32_desktop.h"
#include "platform/win32/targeting/window_handle.h"
#include "support/editor_fakes.h"
#include "win/editors/dialog_clicks.h"

namespace tolvane::win32 {
namespace {

constexpr wchar_t kTargetClass[] = L"PickerTestTarget";
constexpr std::u16string_view kTargetWindow = u"Picker Test Target[class]PickerTestTarget";
constexpr std::u16string_view kThisProgram = u"win_editor_picker.exe";

// A window of this process with a classic menu and a button, placed where
// a monitor left of and above the main one would be.
class TargetWindow {
 public:
  TargetWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTargetClass;
    RegisterClassW(&windowClass);
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 257, L"&Open");
    AppendMenuW(file, MF_STRING, 258, L"&Save");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    window = CreateWindowExW(0, kTargetClass, L"Picker Test Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, -1500, -300,
                             400, 300, nullptr, bar, windowClass.hInstance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"Apply", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(12)), windowClass.hInstance, nullptr);
  }
  ~TargetWindow() { DestroyWindow(window); }
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  HWND window = nullptr;
};

// The fakes, with the real desktop, windows and accessibility.
struct PickerTest : ::testing::Test {
  test::EditorFakes fakes;
  Win32Desktop desktop;
  Win32WindowActions windows;
  Win32Accessibility accessibility;
  EditorContext context = fakes.contextWith(desktop, windows, accessibility);
  TargetWindow target;
};

void choose(const CDialogBase& dialog, int id, std::u16string_view entry) {
  const std::vector<std::u16string> entries = dialog.items(id);
  const auto found = std::find(entries.begin(), entries.end(), entry);
  ASSERT_NE(found, entries.end()) << "no such entry in " << id;
  dialog.selectIndex(id, static_cast<int>(found - entries.begin()));
  SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(dialog.item(id)));
}

// Scan Desktop, then this program and its target window.
void pickTargetWindow(const CDialogBase& dialog) {
  click(dialog, IDC_PICKER_SCAN);
  choose(dialog, IDC_PICKER_APPLICATIONS, kThisProgram);
  choose(dialog, IDC_PICKER_WINDOWS, kTargetWindow);
}

TEST_F(PickerTest, AMenuCommandAndAButtonArePickedFromTheWindowsOwnMenuAndChildren) {
  CSndMsgDlg dialog(context, Chore{}, {});
  ASSERT_NE(dialog.create(nullptr), nullptr);
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_PICKER_OPERATIONS)));
  pickTargetWindow(dialog);

  click(dialog, IDC_PICKER_BUTTON);
  EXPECT_EQ(dialog.items(IDC_PICKER_BUTTONS), std::vector<std::u16string>{u"Apply[class]Button"});
  click(dialog, IDC_PICKER_MENU);
  EXPECT_EQ(dialog.items(IDC_PICKER_MENUS), (std::vector<std::u16string>{u"&File [] &Open", u"&File [] &Save"}));
  choose(dialog, IDC_PICKER_MENUS, u"&File [] &Save");
  click(dialog, IDOK);

  ASSERT_TRUE(dialog.result().has_value());
  const Chore& chore = *dialog.result();
  EXPECT_EQ(chore.wndMsg, 273);
  EXPECT_EQ(chore.procName, kThisProgram);
  EXPECT_EQ(chore.mainWndTxt, u"Picker Test Target");
  EXPECT_EQ(chore.mainWndCls, u"PickerTestTarget");
  EXPECT_EQ(chore.menuOption, u"&File [] &Save");
  EXPECT_EQ(chore.menuID, 258);
}

TEST_F(PickerTest, PositionReadsTheWindowsPlaceAndRefusesAMinimizedWindow) {
  CSndMsgDlg dialog(context, Chore{}, {true, false, false});
  ASSERT_NE(dialog.create(nullptr), nullptr);
  EXPECT_EQ(dialog.text(IDC_PICKER_WINDOW), u"Window");
  EXPECT_FALSE(IsWindowEnabled(dialog.item(IDC_PICKER_MENU)));
  wchar_t caption[64] = {};
  GetWindowTextW(dialog.hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"Select a window");
  pickTargetWindow(dialog);
  choose(dialog, IDC_PICKER_OPERATIONS, u"Position");

  ShowWindow(target.window, SW_MINIMIZE);
  click(dialog, IDOK);
  EXPECT_FALSE(dialog.result().has_value());
  ASSERT_EQ(fakes.prompts.shown().size(), 1u);
  EXPECT_EQ(fakes.prompts.shown()[0].kind, test::FakePrompts::Kind::Error);
  EXPECT_EQ(fakes.prompts.shown()[0].text, u"Window belonging to \"win_editor_picker.exe\" is minimized.\n"
                                           u"Either use Minimize or size it properly for Position.");
  EXPECT_EQ(GetFocus(), dialog.item(IDC_PICKER_OPERATIONS));

  ShowWindow(target.window, SW_RESTORE);
  SetWindowPos(target.window, nullptr, -1500, -300, 400, 300, SWP_NOZORDER);
  click(dialog, IDOK);
  ASSERT_TRUE(dialog.result().has_value());
  EXPECT_EQ(dialog.result()->wndMsg, 274);
  EXPECT_EQ(dialog.result()->notifyCode, WINOP_POSITION);
  EXPECT_EQ(dialog.result()->winPos, (WindowPosition{-1500, -300, -1100, 0}));

  // The executor's placing puts the window back exactly there, and the
  // thread keeps its own DPI awareness.
  using GetContextFn = HANDLE(WINAPI*)();
  const auto threadContext = reinterpret_cast<GetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetThreadDpiAwarenessContext")));
  ASSERT_NE(threadContext, nullptr);
  const HANDLE contextBefore = threadContext();
  SetWindowPos(target.window, nullptr, 50, 60, 200, 100, SWP_NOZORDER);
  const WindowPosition& picked = *dialog.result()->winPos;
  windows.place(toWindowHandle(target.window), picked.left, picked.top, picked.right - picked.left,
                picked.bottom - picked.top);
  EXPECT_EQ(windows.windowRect(toWindowHandle(target.window)), (ScreenRect{-1500, -300, -1100, 0}));
  EXPECT_EQ(threadContext(), contextBefore);
}

TEST_F(PickerTest, TheEntryPointShowsTheStoredTargetAndReturnsItOnOkOnly) {
  Chore chore;
  chore.mainWndTxt = u"Picker Test Target";
  chore.menuOption = u"&File [] &Open";
  chore.menuID = 257;
  chore.hitEnter = true;
  clickWhenShown(L"Select a menu/button", IDOK);
  const std::optional<Chore> picked = pickWindowTarget(nullptr, context, chore, {});
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->menuOption, u"&File [] &Open");
  EXPECT_EQ(picked->menuID, 257);
  EXPECT_TRUE(picked->hitEnter);
  clickWhenShown(L"Select a menu/button", IDCANCEL);
  EXPECT_FALSE(pickWindowTarget(nullptr, context, chore, {}).has_value());
}

}  // namespace
}  // namespace tolvane::win32
