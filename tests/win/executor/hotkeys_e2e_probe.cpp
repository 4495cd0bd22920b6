// Reads what the hot-key end-to-end tests check, from inside the test's
// Wine desktop:
//   hotkeys_e2e_probe text TITLE CLASS   text of the window's first child of CLASS
//   hotkeys_e2e_probe state TITLE        "min", "max" or "normal", then left top right bottom
//   hotkeys_e2e_probe count CLASS        number of top-level windows of CLASS
//   hotkeys_e2e_probe clipboard          the clipboard's CF_TEXT
//   hotkeys_e2e_probe focus TITLE        brings the window to the front
// Exit code 1 when the window is not there.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct ClassCount {
  const wchar_t* className;
  int count = 0;
};

BOOL CALLBACK countClass(HWND window, LPARAM data) {
  auto* counter = reinterpret_cast<ClassCount*>(data);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (std::wstring(name) == counter->className && IsWindowVisible(window)) ++counter->count;
  return TRUE;
}

void print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
}

int text(const wchar_t* title, const wchar_t* className) {
  HWND window = FindWindowW(nullptr, title);
  HWND child = window ? FindWindowExW(window, nullptr, className, nullptr) : nullptr;
  if (!child) return 1;
  const LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(child, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(length));
  print(buffer);
  return 0;
}

int state(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  if (!window) return 1;
  RECT rect{};
  GetWindowRect(window, &rect);
  const char* shown = IsIconic(window) ? "min" : IsZoomed(window) ? "max" : "normal";
  std::printf("%s %ld %ld %ld %ld\n", shown, rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int clipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  std::printf("%s\n", bytes ? bytes : "");
  if (bytes) GlobalUnlock(data);
  CloseClipboard();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc > 1 ? argv[1] : L"";
  if (verb == L"text" && argc > 3) return text(argv[2], argv[3]);
  if (verb == L"state" && argc > 2) return state(argv[2]);
  if (verb == L"count" && argc > 2) {
    ClassCount counter{argv[2]};
    EnumWindows(countClass, reinterpret_cast<LPARAM>(&counter));
    std::printf("%d\n", counter.count);
    return 0;
  }
  if (verb == L"clipboard") return clipboard();
  if (verb == L"focus" && argc > 2) {
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    SetForegroundWindow(window);
    return 0;
  }
  std::fprintf(stderr, "usage: hotkeys_e2e_probe text|state|count|clipboard|focus ...\n");
  return 2;
}
