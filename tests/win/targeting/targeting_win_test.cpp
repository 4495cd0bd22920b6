// Targeting against real windows of other processes under Wine.

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "child_program.h"
#include "engine/targeting/menu_commands.h"
#include "engine/targeting/window_matching.h"
#include "platform/win32/targeting/accessible_object.h"
#include "platform/win32/targeting/classic_menu.h"
#include "platform/win32/targeting/foreground.h"
#include "platform/win32/targeting/process_enumerator.h"
#include "platform/win32/targeting/window_iterator.h"
#include "platform/win32/targeting/window_enumeration.h"
#include "platform/win32/targeting/window_handle.h"
#include "platform/win32/targeting/win32_desktop.h"
#include "win32_common/wide.h"

namespace tolvane {
namespace {

using test::ChildProgram;
using win32::fromWide;
using win32::toHwnd;
using win32::toWindowHandle;

std::wstring uniqueTitle(const wchar_t* stem) { return stem + std::to_wstring(GetCurrentProcessId()); }

const WindowInfo* findInfo(const WindowInfoList& list, HWND window) {
  for (const WindowInfo& info : list) {
    if (info.window == toWindowHandle(window)) return &info;
  }
  return nullptr;
}

bool isOwnedBy(WindowHandle window, DWORD processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(toHwnd(window), &owner);
  return owner == processId;
}

std::wstring titleOf(HWND window) {
  wchar_t text[260];
  return std::wstring(text, GetWindowTextW(window, text, 260));
}

bool waitForTitle(HWND window, const std::wstring& title) {
  for (int i = 0; i < 250 && titleOf(window) != title; ++i) Sleep(20);
  return titleOf(window) == title;
}

class TargetApp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.started());
    window_ = test::waitForWindow(L"TolvaneTargetApp", title_.c_str());
    ASSERT_NE(window_, nullptr);
    // The hidden window is made last: once it exists, so do the others.
    ASSERT_NE(test::waitForWindow(L"TolvaneTargetApp", (title_ + L" hidden").c_str()), nullptr);
  }

  std::wstring title_ = uniqueTitle(L"Targeting Test ");
  ChildProgram program_{L"\"" + test::testProgramFolder() + L"targeting_target_app.exe\" \"" + title_ + L"\""};
  HWND window_ = nullptr;
  win32::Win32Desktop desktop_;
};

TEST_F(TargetApp, EnumerationListsTitledMainWindowsWithTheirModules) {
  const WindowInfoList windows = win32::enumerateMainWindows();
  const WindowInfo* info = findInfo(windows, window_);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->text, fromWide(title_));
  EXPECT_EQ(info->className, u"TolvaneTargetApp");
  EXPECT_EQ(info->moduleBaseName, u"targeting_target_app.exe");
  EXPECT_TRUE(info->modulePath.ends_with(u"\\targeting_target_app.exe")) << toUtf8(info->modulePath);

  const std::u16string hidden = fromWide(title_ + L" hidden");
  const std::u16string tip = fromWide(title_ + L" tip");
  bool tipListed = false;
  for (const WindowInfo& window : windows) {
    EXPECT_NE(window.text, hidden) << "invisible windows without a menu are not main windows";
    EXPECT_FALSE(window.text.empty());
    tipListed |= window.text == tip;
  }
  EXPECT_TRUE(tipListed);

  const WindowInfoList children = win32::enumerateChildWindows(window_);
  ASSERT_EQ(children.size(), 2u) << "the untitled static is left out";
  EXPECT_EQ(children[0].text, u"Press Me");
  EXPECT_EQ(children[0].controlId, 1001);
  EXPECT_TRUE(equalsIgnoreAsciiCase(children[0].className, u"Button"));
  EXPECT_EQ(children[1].controlId, IDCANCEL);
}

TEST_F(TargetApp, IteratorsSeeTheProcessItsModulesAndItsMainWindows) {
  bool listed = false;
  win32::CProcessEnumerator processes;
  for (DWORD id = processes.next(); id != 0; id = processes.next()) listed |= id == program_.id();
  EXPECT_TRUE(listed);

  win32::ProcessHandle self(GetCurrentProcessId());
  win32::CModuleEnumerator modules(self.get());
  EXPECT_EQ(modules.next(), GetModuleHandleW(nullptr)) << "the executable comes first";
  bool kernel = false;
  for (HMODULE module = modules.next(); module; module = modules.next()) kernel |= module == GetModuleHandleW(L"kernel32.dll");
  EXPECT_TRUE(kernel);
  EXPECT_EQ(win32::CModuleEnumerator(nullptr).next(), nullptr);

  // A direct pass and a pass over a snapshot keep the same windows.
  win32::CMainWindowIterator direct(program_.id());
  win32::TopLevelWindows snapshot;
  snapshot.take();
  win32::CMainWindowIterator fromSnapshot(program_.id());
  ASSERT_EQ(direct.collect(), fromSnapshot.collect(snapshot));
  ASSERT_EQ(direct.count(), 2u) << "main window and tooltip; the hidden window is left out";
  for (std::size_t i = 0; i < direct.count(); ++i) EXPECT_EQ(direct[i], fromSnapshot[i]);
}

TEST_F(TargetApp, FindsWindowAndButtonByTheMatchingRules) {
  WindowTarget main{fromWide(title_), u"TolvaneTargetApp", 0, 0};
  WindowTarget button{u"Press Me", u"", 0, 0};
  ASSERT_TRUE(findTargetWindow(desktop_, main, button, false));
  EXPECT_EQ(toHwnd(main.window), window_);
  EXPECT_EQ(button.controlId, 1001);
  EXPECT_EQ(GetParent(toHwnd(button.window)), window_);

  WindowTarget partial{fromWide(title_).substr(10), u"", 0, 0};
  WindowTarget none;
  EXPECT_FALSE(findTargetWindow(desktop_, partial, none, false));
  ASSERT_TRUE(findTargetWindow(desktop_, partial, none, true));
  EXPECT_EQ(toHwnd(partial.window), window_) << "the tooltip carrying the same text never matches";

  WindowTarget missing{u"Press", u"", 0, 0};
  EXPECT_FALSE(findTargetWindow(desktop_, main, missing, false));

  EXPECT_TRUE(windowExists(desktop_, fromWide(title_), false, false));
  EXPECT_FALSE(windowExists(desktop_, fromWide(title_ + L" tip"), true, false));
}

TEST_F(TargetApp, BringToForegroundRestoresAMinimisedWindow) {
  ShowWindow(window_, SW_MINIMIZE);
  for (int i = 0; i < 100 && !IsIconic(window_); ++i) Sleep(20);
  ASSERT_TRUE(IsIconic(window_));
  EXPECT_TRUE(windowExists(desktop_, fromWide(title_), false, true));
  EXPECT_FALSE(IsIconic(window_));
  // Tests running beside this one may take the foreground at any time, so
  // only the system's answer is checked, not who holds it afterwards.
  EXPECT_TRUE(win32::bringToForeground(window_));
}

TEST_F(TargetApp, MenuCommandIdsWorkAcrossProcesses) {
  // Wine keeps menus per process: another process's menu handle cannot be
  // read, so only posting a command by its id is checked across processes.
  win32::Win32Accessibility accessibility;
  const std::vector<MenuLeaf> leaves = listMenuItems(desktop_, accessibility, toWindowHandle(window_));
  const std::vector<MenuLeaf> expected{
      {u"&File [] &New", 256}, {u"&File [] &Open...", 257}, {u"&File [] Recent [] a.txt", 400}, {u"&Edit [] Select &All", 278}};
  EXPECT_TRUE(leaves.empty() || leaves == expected) << "Windows reads the menu, Wine reads nothing; never garbage";

  PostMessageW(window_, WM_COMMAND, 257, 0);
  EXPECT_TRUE(waitForTitle(window_, L"command 257"));
  EXPECT_TRUE(win32::isProcessRunning(u"targeting_target_app"));
  EXPECT_FALSE(win32::isProcessRunning(u"Targeting_Target_App"));
}

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ClassicMenu, ListsLeafPathsWithCommandIdsOfAWindowInThisProcess) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = plainWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TolvaneMenuHost";
  RegisterClassW(&windowClass);
  HMENU recent = CreatePopupMenu();
  AppendMenuW(recent, MF_STRING, 400, L"a.txt");
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 256, L"&New");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Recent");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING | MF_GRAYED, 308, L"&About");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  HWND window = CreateWindowExW(0, L"TolvaneMenuHost", L"Menu host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                bar, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  win32::Win32Desktop desktop;
  win32::Win32Accessibility accessibility;
  const std::vector<MenuLeaf> leaves = listMenuItems(desktop, accessibility, toWindowHandle(window));
  const std::vector<MenuLeaf> expected{
      {u"&File [] &New", 256}, {u"&File [] Recent [] a.txt", 400}, {u"&Help [] &About", 308}};
  EXPECT_EQ(leaves, expected);

  const WindowInfoList windows = win32::enumerateMainWindows();
  EXPECT_NE(findInfo(windows, window), nullptr) << "hidden, but it has a menu";
  DestroyWindow(window);
  EXPECT_FALSE(win32::readClassicMenu(GetDesktopWindow()));
}

class AccessibleApp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.started());
    window_ = test::waitForWindow(L"TolvaneAccessibleApp", title_.c_str());
    ASSERT_NE(window_, nullptr);
  }

  std::wstring title_ = uniqueTitle(L"Accessible Test ");
  ChildProgram program_{L"\"" + test::testProgramFolder() + L"targeting_accessible_app.exe\" \"" + title_ + L"\""};
  HWND window_ = nullptr;
  win32::Win32Desktop desktop_;
  win32::Win32Accessibility accessibility_;
};

TEST_F(AccessibleApp, MenuPathIsFoundAndInvokedInAnotherProcess) {
  const MenuInvokeResult result = invokeMenuItem(accessibility_, toWindowHandle(window_), u"File [] Save As...");
  EXPECT_TRUE(result.invoked);
  EXPECT_EQ(result.code, 0u);
  EXPECT_TRUE(waitForTitle(window_, L"invoked Save As..."));
}

TEST_F(AccessibleApp, GreyedItemIsNotFoundAndTheCodeStaysEFail) {
  const MenuInvokeResult result = invokeMenuItem(accessibility_, toWindowHandle(window_), u"Edit [] Paste");
  EXPECT_FALSE(result.invoked);
  EXPECT_EQ(result.code, 0x80004005u);
  EXPECT_EQ(titleOf(window_), title_);
}

TEST_F(AccessibleApp, WindowWithoutClassicMenuIsListedThroughAccessibility) {
  const std::vector<MenuLeaf> leaves = listMenuItems(desktop_, accessibility_, toWindowHandle(window_));
  const std::vector<MenuLeaf> expected{{u"File [] New", std::nullopt},
                                       {u"File [] Save As...", std::nullopt},
                                       {u"Edit [] Paste", std::nullopt},
                                       {u"Edit [] Copy", std::nullopt}};
  EXPECT_EQ(leaves, expected);
}

TEST(Notepad, IsEnumeratedFoundPartiallyAndTakesCommandsById) {
  ChildProgram notepad(L"notepad.exe");
  ASSERT_TRUE(notepad.started());
  // Other tests may have a notepad open too: take the one started here.
  HWND window = nullptr;
  for (int i = 0; i < 500 && !window; ++i) {
    for (HWND candidate = FindWindowW(L"Notepad", nullptr); candidate;
         candidate = FindWindowExW(nullptr, candidate, L"Notepad", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(candidate, &owner);
      if (owner == notepad.id()) window = candidate;
    }
    if (!window) Sleep(20);
  }
  ASSERT_NE(window, nullptr);

  const WindowInfoList windows = win32::enumerateMainWindows();
  const WindowInfo* info = findInfo(windows, window);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->moduleBaseName, u"notepad.exe");
  EXPECT_EQ(asciiLower(info->modulePath), u"c:\\windows\\system32\\notepad.exe");

  win32::Win32Desktop desktop;
  WindowTarget exact{u"Notepad", u"", 0, 0};
  WindowTarget none;
  EXPECT_FALSE(findTargetWindow(desktop, exact, none, false));
  WindowTarget partial{u"Notepad", u"Notepad", 0, 0};
  ASSERT_TRUE(findTargetWindow(desktop, partial, none, true));
  EXPECT_EQ(toHwnd(partial.window), window);

  // Help About opens a dialog owned by notepad.
  const std::size_t before = [&] {
    std::size_t count = 0;
    for (const WindowInfo& w : win32::enumerateMainWindows()) count += isOwnedBy(w.window, notepad.id());
    return count;
  }();
  PostMessageW(window, WM_COMMAND, 308, 0);
  std::size_t after = before;
  for (int i = 0; i < 100 && after == before; ++i) {
    Sleep(50);
    after = 0;
    for (const WindowInfo& w : win32::enumerateMainWindows()) after += isOwnedBy(w.window, notepad.id());
  }
  EXPECT_GT(after, before);
}

}  // namespace
}  // namespace tolvane
