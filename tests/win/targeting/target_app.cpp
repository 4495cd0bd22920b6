// A program with known windows for the targeting tests:
//   targeting_target_app.exe TITLE [COUNT]
// Main window of class "TolvaneTargetApp" titled TITLE with the buttons
// "Press Me" (id 1001) and "Cancel" (id 2), a classic menu, a visible
// tooltip titled "TITLE tip" and a hidden window titled "TITLE hidden".
// A WM_COMMAND retitles the main window "command <id>". With COUNT, COUNT
// more main windows titled "TITLE 1" to "TITLE COUNT" (for benchmarks).

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kClass[] = L"TolvaneTargetApp";

HMENU buildMenu() {
  HMENU recent = CreatePopupMenu();
  AppendMenuW(recent, MF_STRING, 400, L"a.txt");
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 256, L"&New");
  AppendMenuW(file, MF_STRING, 257, L"&Open...");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Recent");
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING | MF_GRAYED, 278, L"Select &All");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  return bar;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const std::wstring text = L"command " + std::to_wstring(LOWORD(wParam));
      SetWindowTextW(window, text.c_str());
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring title = argc > 1 ? argv[1] : L"Targeting Test";

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  // A window of the tooltip class that keeps its text, standing in for the
  // tooltips that describe a window with the same words.
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = L"tooltips_class32";
  RegisterClassW(&windowClass);
  windowClass.lpfnWndProc = windowProc;

  HWND main = CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                              nullptr, buildMenu(), instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Press Me", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, main,
                  reinterpret_cast<HMENU>(1001), instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE, 120, 10, 100, 30, main,
                  reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
  CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 50, 100, 30, main, nullptr, instance, nullptr);
  CreateWindowExW(WS_EX_TOPMOST, L"tooltips_class32", (title + L" tip").c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 10,
                  10, main, nullptr, instance, nullptr);
  CreateWindowExW(0, kClass, (title + L" hidden").c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                  instance, nullptr);

  const int extra = argc > 2 ? _wtoi(argv[2]) : 0;
  for (int i = 1; i <= extra; ++i) {
    CreateWindowExW(0, kClass, (title + L" " + std::to_wstring(i)).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                    200, 100, nullptr, nullptr, instance, nullptr);
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  LocalFree(argv);
  return 0;
}
