// Stands in for Explorer in the Explorer-watch tests, since Wine's Explorer
// windows have another class:
//   targeting_explore_app.exe [/class=CLASS] [/e,FOLDER]
// Opens one window of class CLASS (default "ExploreWClass") titled FOLDER
// (or "Desktop") and ends when it is closed. Like Explorer, whose COM calls
// while closing are refused inside a message sent by another program, it
// closes only on a close request posted to it.

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && InSendMessage()) return 0;
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::wstring commandLine = GetCommandLineW();
  const std::size_t at = commandLine.find(L"/e,");
  const std::wstring title = at == std::wstring::npos ? L"Desktop" : commandLine.substr(at + 3);
  const std::size_t classAt = commandLine.find(L"/class=");
  const std::wstring className =
      classAt == std::wstring::npos ? L"ExploreWClass"
                                    : commandLine.substr(classAt + 7, commandLine.find(L' ', classAt) - classAt - 7);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  RegisterClassW(&windowClass);
  CreateWindowExW(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr,
                  nullptr, instance, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
