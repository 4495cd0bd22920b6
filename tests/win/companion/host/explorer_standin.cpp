// Stands in for an Explorer that hosts the companion, where Wine's does not:
// copied beside Tolvane.exe as explorer.exe, it is what Tolvane starts for
// "Explorer.exe". It loads TolvaneBho.dll from its folder, opens one window
// of class "ExploreWClass" titled by its /e, argument, sites the companion's
// helper object on a browser of that window, and shows every address it is
// navigated to as the window's title. It ends when the window is closed.
//
// With a file "late_window" beside it, it stands in for Wine's Explorer on
// a slow first start instead: no companion, a window of Wine's class
// "ExplorerWClass" shown no sooner than four seconds after its start and
// not before a file "show_window" appears beside it, and a file
// "window_closed" beside it once its window has been closed.

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>

#include "host/fake_web_browser.h"
#include "protocol/companion_entry_points.h"

namespace {

constexpr GUID kClsidExpWatch = {0x6F2D8A41, 0x93B7, 0x4C5E, {0xA1, 0xD0, 0x7E, 0x4B, 0x2C, 0x9F, 0x5A, 0x13}};

class TitledBrowser : public tolvane::test::FakeWebBrowser {
 public:
  explicit TitledBrowser(HWND window) : FakeWebBrowser(window, true), window_(window) {}
  STDMETHODIMP Navigate(BSTR url, VARIANT* flags, VARIANT* frame, VARIANT* postData, VARIANT* headers) override {
    FakeWebBrowser::Navigate(url, flags, frame, postData, headers);
    SetWindowTextW(window_, lastUrl().c_str());
    return S_OK;
  }

 private:
  HWND window_;
};

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full(path);
  return full.substr(0, full.find_last_of(L'\\') + 1);
}

bool besideMe(const wchar_t* name) {
  return GetFileAttributesW((ownFolder() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void leaveBesideMe(const wchar_t* name) {
  CloseHandle(CreateFileW((ownFolder() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

bool late = false;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    if (late) leaveBesideMe(L"window_closed");
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// False when the test never asked for the window.
bool waitUntilAskedToShow() {
  Sleep(4000);
  for (int waits = 0; waits < 300; ++waits) {
    if (besideMe(L"show_window")) return true;
    Sleep(100);
  }
  return false;
}

IObjectWithSite* siteHelper(HMODULE library, IWebBrowser2* browser) {
  using GetClassObject = HRESULT WINAPI(REFCLSID, REFIID, void**);
  auto* getClassObject = reinterpret_cast<GetClassObject*>(
      reinterpret_cast<void*>(GetProcAddress(library, tolvane::protocol::kDllGetClassObject)));
  IClassFactory* factory = nullptr;
  if (!getClassObject || FAILED(getClassObject(kClsidExpWatch, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  IObjectWithSite* helper = nullptr;
  factory->CreateInstance(nullptr, IID_IObjectWithSite, reinterpret_cast<void**>(&helper));
  factory->Release();
  if (helper) helper->SetSite(browser);
  return helper;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring commandLine = GetCommandLineW();
  const std::size_t at = commandLine.find(L"/e,");
  const std::wstring title = at == std::wstring::npos ? L"Desktop" : commandLine.substr(at + 3);

  late = besideMe(L"late_window");
  if (late && !waitUntilAskedToShow()) return 1;
  const wchar_t* className = late ? L"ExplorerWClass" : L"ExploreWClass";

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 500, 400,
                                nullptr, nullptr, instance, nullptr);
  HMODULE library = late ? nullptr : LoadLibraryW((ownFolder() + L"TolvaneBho.dll").c_str());
  auto* browser = new TitledBrowser(window);
  IObjectWithSite* helper = library ? siteHelper(library, browser) : nullptr;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (helper) helper->Release();
  browser->Release();
  return 0;
}
