#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/executor/win32_clipboard.h"
#include "platform/win32/executor/win32_keyboard_input.h"
#include "platform/win32/executor/win32_shell_actions.h"
#include "platform/win32/executor/win32_sounds.h"
#include "platform/win32/executor/win32_window_actions.h"
#include "platform/win32/targeting/window_handle.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {
namespace {

namespace fs = std::filesystem;

fs::path scratchFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() / "tolvane_executor_test" / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

void writeFile(const fs::path& path, const char* text) { std::ofstream(path) << text; }

std::u16string u16(const fs::path& path) { return fromWide(path.wstring()); }

bool makeShortcut(const fs::path& link, const fs::path& target) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* shellLink = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)))) {
    shellLink->SetPath(target.wstring().c_str());
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(link.wstring().c_str(), TRUE));
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return saved;
}

TEST(Win32ShellActions, CopiesRenamesAndDeletesWithoutAskingAndReportsMissingFiles) {
  const fs::path folder = scratchFolder("fileops");
  writeFile(folder / "a.txt", "alpha");
  writeFile(folder / "b.txt", "beta");
  fs::create_directories(folder / "out");
  Win32ShellActions shell;
  const std::uint16_t quiet = kFileOpFilesOnly | kFileOpSimpleProgress | kFileOpNoConfirmation | kFileOpNoConfirmMkdir;

  EXPECT_EQ(shell.fileOperation({ShellFileOp::Copy, {u16(folder / "a.txt"), u16(folder / "b.txt")},
                                 u16(folder / "out"), quiet}),
            0);
  EXPECT_TRUE(fs::exists(folder / "out" / "a.txt"));
  EXPECT_TRUE(fs::exists(folder / "out" / "b.txt"));
  EXPECT_EQ(shell.fileOperation({ShellFileOp::Rename, {u16(folder / "a.txt")}, u16(folder / "c.txt"), quiet}), 0);
  EXPECT_TRUE(fs::exists(folder / "c.txt"));
  EXPECT_FALSE(fs::exists(folder / "a.txt"));
  EXPECT_EQ(shell.fileOperation({ShellFileOp::Delete, {u16(folder / "c.txt")}, u"", quiet}), 0);
  EXPECT_FALSE(fs::exists(folder / "c.txt"));
  EXPECT_NE(shell.fileOperation({ShellFileOp::Copy, {u16(folder / "missing.txt")}, u16(folder / "out"), quiet}), 0);

  EXPECT_LE(shell.execute(u"open", u16(folder / "missing.exe"), u"", u""), 32);
}

TEST(Win32ShellActions, ShortcutsResolveToTheirTargetAndUnreadableOnesFail) {
  const fs::path folder = scratchFolder("links");
  writeFile(folder / "tool.exe", "not really a program");
  ASSERT_TRUE(makeShortcut(folder / "Tool.lnk", folder / "tool.exe"));
  Win32ShellActions shell;

  const ShortcutTarget target = shell.shortcutTarget(u16(folder / "Tool.lnk"));
  EXPECT_EQ(target.status, ShortcutTarget::Status::Path);
  EXPECT_TRUE(fs::equivalent(fs::path(toWide(target.path)), folder / "tool.exe"));

  writeFile(folder / "Broken.lnk", "garbage");
  const ShortcutTarget broken = shell.shortcutTarget(u16(folder / "Broken.lnk"));
  EXPECT_EQ(broken.status, ShortcutTarget::Status::GetPathFailed);
  EXPECT_NE(broken.code, 0u);
}

TEST(Win32Clipboard, TextGoesThroughTheAnsiClipboardAndCanBeCleared) {
  Win32Clipboard clipboard;
  ASSERT_EQ(clipboard.writeText(u"Tolvane clipboard \u00e9t\u00e9").outcome, ClipboardWrite::Written);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(clipboard.readText(), u"Tolvane clipboard \u00e9t\u00e9");
  clipboard.clear();
  EXPECT_EQ(clipboard.readText(), u"");
  ASSERT_EQ(clipboard.writeText(u"").outcome, ClipboardWrite::Written);
  EXPECT_EQ(clipboard.readText(), u"");
}

struct TestWindow {
  HWND hwnd = nullptr;
  static inline int commands = 0;
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 1) ++commands;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  TestWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TolvaneExecutorTestWindow";
    RegisterClassW(&windowClass);
    hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"Executor target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                           300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
};

TEST(Win32WindowActions, PlacesRestoresAndPostsToAWindow) {
  TestWindow target;
  ASSERT_TRUE(target.hwnd);
  Win32WindowActions windows;
  const WindowHandle handle = toWindowHandle(target.hwnd);

  ShowWindow(target.hwnd, SW_MINIMIZE);
  EXPECT_TRUE(windows.isMinimized(handle));
  windows.restore(handle);
  EXPECT_FALSE(windows.isMinimized(handle));

  EXPECT_TRUE(windows.place(handle, 20, 30, 400, 250));
  RECT rect{};
  GetWindowRect(target.hwnd, &rect);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 30);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 250);

  TestWindow::commands = 0;
  EXPECT_TRUE(windows.postMessage(handle, WM_APP + 1, 0, 0));
  target.pump();
  EXPECT_EQ(TestWindow::commands, 1);

  SetForegroundWindow(target.hwnd);
  if (windows.foregroundWindow() == handle) {
    EXPECT_EQ(windows.foregroundWindowText(), u"Executor target");
  }
}

struct SeenKey {
  DWORD vk, scan, flags;
  bool up;
};
std::vector<SeenKey> seenKeys;

LRESULT CALLBACK recordKeys(int code, WPARAM message, LPARAM data) {
  if (code >= 0) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    seenKeys.push_back({key->vkCode, key->scanCode, key->flags, message == WM_KEYUP || message == WM_SYSKEYUP});
  }
  return CallNextHookEx(nullptr, code, message, data);
}

TEST(Win32KeyboardInput, TypedKeysArriveInjectedWithTheFixedScanCode) {
  TestWindow target;
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, recordKeys, GetModuleHandleW(nullptr), 0);
  ASSERT_TRUE(hook);
  seenKeys.clear();
  Win32KeyboardInput keyboard;
  keyboard.sendKey(0x41, false);
  keyboard.sendKey(0x41, true);
  for (int i = 0; i < 50 && seenKeys.size() < 2; ++i) {
    target.pump();
    Sleep(10);
  }
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(seenKeys.size(), 2u);
  EXPECT_EQ(seenKeys[0].vk, 0x41u);
  EXPECT_EQ(seenKeys[0].scan, 0x45u);
  EXPECT_TRUE(seenKeys[0].flags & LLKHF_INJECTED);
  EXPECT_FALSE(seenKeys[0].up);
  EXPECT_TRUE(seenKeys[1].up);
  EXPECT_TRUE(seenKeys[1].flags & LLKHF_UP);
  EXPECT_FALSE(keyboard.anyModifierHeld());

  // Sounds need no sound card and no resource to return at once.
  Win32Sounds sounds;
  sounds.playResource(154);
  sounds.beep();
}

}  // namespace
}  // namespace tolvane::win32
