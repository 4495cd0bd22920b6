// A scripted host process for the companion's multi-process tests. The
// same program is built under several names (a main program, Explorer,
// Internet Explorer), because the companion decides from the host's path
// whether it may live there. The test drives it line by line over stdin
// and reads one answer line per command from stdout.

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "host/fake_web_browser.h"
#include "platform/win32/companion_binding.h"
#include "platform/win32/common/wide.h"
#include "protocol/companion_entry_points.h"
#include "protocol/kernel_objects.h"
#include "protocol/shared_command_block.h"

using tolvane::test::FakeWebBrowser;
namespace protocol = tolvane::protocol;

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;
constexpr GUID kClsidExpWatch = {0x6F2D8A41, 0x93B7, 0x4C5E, {0xA1, 0xD0, 0x7E, 0x4B, 0x2C, 0x9F, 0x5A, 0x13}};

struct BrowserWindow {
  HWND window = nullptr;
  FakeWebBrowser* browser = nullptr;
  IObjectWithSite* helper = nullptr;
};

HMODULE library = nullptr;
tolvane::win32::CompanionBinding binding;
std::vector<BrowserWindow> browsers;

std::wstring programFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08lx", value);
  return text;
}

std::string narrow(std::u16string_view text) { return tolvane::toUtf8(text); }

template <typename Fn>
Fn* exported(const char* name) {
  HMODULE module = library ? library : GetModuleHandleW(L"TolvaneBho.dll");
  return module ? reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The shared block itself, found through the library's section table, so
// that fields without a getter can be checked too.
const protocol::SharedCommandBlock* sharedBlock() {
  auto* base = reinterpret_cast<const BYTE*>(library ? library : GetModuleHandleW(L"TolvaneBho.dll"));
  if (!base) return nullptr;
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (std::string(reinterpret_cast<const char*>(section->Name), 8).rfind(".tolvShr", 0) == 0)
      return reinterpret_cast<const protocol::SharedCommandBlock*>(base + section->VirtualAddress);
  }
  return nullptr;
}

std::string blockField(const std::string& name) {
  const protocol::SharedCommandBlock* block = sharedBlock();
  if (!block) return "error no-block";
  if (name == "maxLogSize") return std::to_string(block->maxLogSize.load());
  if (name == "loadCount") return std::to_string(block->loadCount.load());
  if (name == "instCount") return std::to_string(block->instCount.load());
  if (name == "folderWatch") return std::to_string(block->folderWatch.load());
  if (name == "debugLogging") return std::to_string(block->debugLogging.load());
  if (name == "bTolvaneLoaded") return std::to_string(block->bTolvaneLoaded.load());
  if (name == "kyrValidated") return std::to_string(block->kyrValidated.load());
  if (name == "bhoUp") return std::to_string(block->bhoUp.load());
  if (name == "primaryBho") return block->primaryBho.load() ? "set" : "null";
  if (name == "cmdThreadHandle") return block->cmdThreadHandle.load() ? "set" : "null";
  if (name == "folderName") return narrow(tolvane::terminatedView(block->folderName, protocol::kFolderNameCapacity));
  if (name == "hstCommand") return narrow(tolvane::terminatedView(block->hstCommand, protocol::kHstCommandCapacity));
  return "error unknown field";
}

// D key-downs that reached a browser window, past the keyboard hook.
int dKeyDowns = 0;

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && wParam == 'D') ++dKeyDowns;
  return DefWindowProcW(window, message, wParam, lParam);
}

BrowserWindow* browserAt(std::istringstream& in) {
  std::size_t index = 0;
  in >> index;
  return index < browsers.size() ? &browsers[index] : nullptr;
}

std::string restOf(std::istringstream& in) {
  std::string rest;
  std::getline(in >> std::ws, rest);
  return rest;
}

std::string createBrowser(bool withConnectionPoints) {
  WNDCLASSW frameClass = {};
  frameClass.lpfnWndProc = frameProc;
  frameClass.hInstance = GetModuleHandleW(nullptr);
  frameClass.lpszClassName = L"TolvaneTestBrowserFrame";
  RegisterClassW(&frameClass);
  BrowserWindow entry;
  entry.window = CreateWindowExW(0, L"TolvaneTestBrowserFrame", L"Test browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 10, 10, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  entry.browser = new FakeWebBrowser(entry.window, withConnectionPoints);
  auto* getClassObject = exported<HRESULT WINAPI(REFCLSID, REFIID, void**)>(protocol::kDllGetClassObject);
  if (!getClassObject) return "error no-export";
  IClassFactory* factory = nullptr;
  HRESULT status = getClassObject(kClsidExpWatch, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(status)) return "error " + hex(status);
  status = factory->CreateInstance(nullptr, IID_IObjectWithSite, reinterpret_cast<void**>(&entry.helper));
  factory->Release();
  if (FAILED(status)) return "error " + hex(status);
  status = entry.helper->SetSite(static_cast<IWebBrowser2*>(entry.browser));
  browsers.push_back(entry);
  return std::to_string(browsers.size() - 1) + " " + hex(status);
}

// Byref variant arguments, as a real browser passes them.
std::string fireDocumentComplete(BrowserWindow& entry, const std::wstring& url) {
  VARIANT address;
  VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
  VARIANT arguments[2];
  VariantInit(&arguments[0]);
  arguments[0].vt = VT_BYREF | VT_VARIANT;
  arguments[0].pvarVal = &address;
  VariantInit(&arguments[1]);
  arguments[1].vt = VT_DISPATCH;
  arguments[1].pdispVal = static_cast<IWebBrowser2*>(entry.browser);
  DISPPARAMS params = {arguments, nullptr, 2, 0};
  const HRESULT status = entry.browser->fire(259, params);
  VariantClear(&address);
  return hex(status);
}

std::string fireNavigateError(BrowserWindow& entry, long code) {
  VARIANT status;
  VariantInit(&status);
  status.vt = VT_I4;
  status.lVal = code;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT arguments[5];
  for (auto& argument : arguments) VariantInit(&argument);
  arguments[0].vt = VT_BYREF | VT_BOOL;
  arguments[0].pboolVal = &cancel;
  arguments[1].vt = VT_BYREF | VT_VARIANT;
  arguments[1].pvarVal = &status;
  DISPPARAMS params = {arguments, nullptr, 5, 0};
  return hex(entry.browser->fire(271, params));
}

std::string fireOnQuit(BrowserWindow& entry) {
  DISPPARAMS params = {nullptr, nullptr, 0, 0};
  return hex(entry.browser->fire(253, params));
}

void pumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

void key(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Presses D with the given modifiers (a text of 'c' and 'a'), `repeats`
// times without releasing it, so that all but the first are auto-repeats.
std::string pressD(BrowserWindow& entry, const std::string& modifiers, int repeats) {
  SetForegroundWindow(entry.window);
  SetFocus(entry.window);
  const bool ctrl = modifiers.find('c') != std::string::npos;
  const bool alt = modifiers.find('a') != std::string::npos;
  if (ctrl) key(VK_CONTROL, false);
  if (alt) key(VK_MENU, false);
  dKeyDowns = 0;
  for (int i = 0; i < repeats; ++i) key('D', false);
  // The hook reads Ctrl's state as it is when the key is taken from the
  // queue, so the modifiers stay down until then.
  const DWORD end = GetTickCount() + 10000;
  while (dKeyDowns == 0 && static_cast<LONG>(end - GetTickCount()) > 0) pumpFor(20);
  pumpFor(100);
  key('D', true);
  if (alt) key(VK_MENU, true);
  if (ctrl) key(VK_CONTROL, true);
  pumpFor(200);
  return "done";
}

// Fills a getter's buffer with '#' to find out whether it wrote past the
// field's capacity.
std::string callGetter(const std::string& name) {
  auto* getter = exported<protocol::GetTextExport>(name.c_str());
  if (!getter) return "error no-export";
  std::vector<char16_t> buffer(1024, u'#');
  getter(buffer.data());
  const std::u16string text(buffer.data());
  std::size_t touched = text.size() + 1;
  while (touched < buffer.size() && buffer[touched] == u'#') ++touched;
  const bool intact = touched == buffer.size();
  return std::to_string(text.size()) + (intact ? " intact " : " overrun ") + narrow(text);
}

std::string callSetter(const std::string& name, const std::u16string& text) {
  auto* setter = exported<protocol::SetTextExport>(name.c_str());
  if (!setter) return "error no-export";
  setter(text.c_str());
  return "ok";
}

std::string handle(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  if (command == "load") {
    library = LoadLibraryW((programFolder() + L"\\TolvaneBho.dll").c_str());
    return library ? "ok" : "error " + hex(GetLastError());
  }
  if (command == "free") {
    const BOOL freed = FreeLibrary(library);
    library = nullptr;
    return freed ? "ok" : "error " + hex(GetLastError());
  }
  if (command == "bind") return binding.load(programFolder()) ? "ok" : "error " + hex(binding.loadError());
  if (command == "unbind") {
    binding.unload();
    return "ok";
  }
  if (command == "register") {
    const auto status = binding.registerServer();
    return status ? hex(static_cast<unsigned long>(*status)) : "error no-export";
  }
  if (command == "unregister") {
    auto* unregister = exported<protocol::StatusExport>(protocol::kDllUnregisterServer);
    return unregister ? hex(static_cast<unsigned long>(unregister())) : "error no-export";
  }
  if (command == "gotofolder") {
    const auto result = binding.gotoFolder(tolvane::toU16(restOf(in)));
    return std::string(result.sent ? "sent" : "not-sent") + (result.cut ? " cut" : "");
  }
  if (command == "block") {
    std::string name;
    in >> name;
    return blockField(name);
  }
  if (command == "keyrune") {
    // A surf or logon command as the main program sends it.
    std::string word;
    in >> word;
    const auto result = binding.sendKeyruneCommand(tolvane::toU16(restOf(in)), tolvane::toU16(word));
    Sleep(700);
    const auto error = binding.kyrError();
    return std::string(result.sent ? "sent" : "not-sent") + (result.cut ? " cut" : "") + "|" +
           (error ? narrow(*error) : "no-export");
  }
  if (command == "set") {
    std::string name;
    in >> name;
    return callSetter(name, tolvane::toU16(restOf(in)));
  }
  if (command == "setlong") {
    std::string name;
    std::size_t count = 0;
    in >> name >> count;
    return callSetter(name, std::u16string(count, u'x'));
  }
  if (command == "hammer") {
    // Rewrites a field for a while, as fast as it can, with texts of one
    // repeated letter.
    std::string name;
    DWORD milliseconds = 0;
    in >> name >> milliseconds;
    auto* setter = exported<protocol::SetTextExport>(name.c_str());
    if (!setter) return "error no-export";
    const std::u16string texts[2] = {std::u16string(127, u'a'), std::u16string(127, u'b')};
    const DWORD end = GetTickCount() + milliseconds;
    for (int i = 0; static_cast<LONG>(end - GetTickCount()) > 0; ++i) setter(texts[i % 2].c_str());
    return "ok";
  }
  if (command == "mixed") {
    // Reads a field for a while; counts the reads that met a text of two
    // letters, i.e. one half rewritten.
    std::string name;
    DWORD milliseconds = 0;
    in >> name >> milliseconds;
    auto* getter = exported<protocol::GetTextExport>(name.c_str());
    if (!getter) return "error no-export";
    int mixed = 0;
    int reads = 0;
    for (const DWORD end = GetTickCount() + milliseconds; static_cast<LONG>(end - GetTickCount()) > 0; ++reads) {
      char16_t buffer[protocol::kKyrErrorCapacity] = {};
      getter(buffer);
      const std::u16string text(buffer);
      if (text.find_first_not_of(text.empty() ? u'\0' : text[0]) != std::u16string::npos) ++mixed;
    }
    return std::to_string(mixed) + (reads > 100 ? " of many" : " of too few");
  }
  if (command == "get") {
    std::string name;
    in >> name;
    return callGetter(name);
  }
  if (command == "flag") {
    std::string name;
    in >> name;
    auto* getter = exported<protocol::GetFlagExport>(name.c_str());
    return getter ? std::to_string(getter()) : "error no-export";
  }
  if (command == "setflag") {
    std::string name;
    int value = 0;
    in >> name >> value;
    auto* setter = exported<protocol::SetFlagExport>(name.c_str());
    if (!setter) return "error no-export";
    setter(value);
    return "ok";
  }
  if (command == "setmaxlogsize") {
    int megabytes = 0;
    in >> megabytes;
    auto* setter = exported<protocol::SetSizeExport>(protocol::kSetMaxLogSize);
    if (!setter) return "error no-export";
    setter(megabytes);
    return "ok";
  }
  if (command == "signal") {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, tolvane::win32::toWide(protocol::kCmdEventName).c_str());
    const BOOL set = SetEvent(event);
    CloseHandle(event);
    return set ? "ok" : "error";
  }
  if (command == "waitflag") {
    // Polls a flag export until it has the value, while pumping messages.
    std::string name;
    int wanted = 0;
    DWORD timeout = 0;
    in >> name >> wanted >> timeout;
    auto* getter = exported<protocol::GetFlagExport>(name.c_str());
    if (!getter) return "error no-export";
    const DWORD end = GetTickCount() + timeout;
    while (getter() != wanted && static_cast<LONG>(end - GetTickCount()) > 0) pumpFor(20);
    return std::to_string(getter());
  }
  if (command == "pump") {
    DWORD milliseconds = 0;
    in >> milliseconds;
    pumpFor(milliseconds);
    return "ok";
  }
  if (command == "browser") return createBrowser(true);
  if (command == "browser-without-events") return createBrowser(false);
  if (command == "site-null") {
    BrowserWindow* entry = browserAt(in);
    return entry ? hex(entry->helper->SetSite(nullptr)) : "error index";
  }
  BrowserWindow* entry = browserAt(in);
  if (!entry) return "error unknown command or index: " + line;
  if (command == "doc") return fireDocumentComplete(*entry, tolvane::win32::toWide(tolvane::toU16(restOf(in))));
  if (command == "doclong") {
    std::size_t count = 0;
    in >> count;
    return fireDocumentComplete(*entry, L"C:\\" + std::wstring(count - 3, L'a'));
  }
  if (command == "location") {
    entry->browser->setLocationName(tolvane::win32::toWide(tolvane::toU16(restOf(in))));
    return "ok";
  }
  if (command == "naverror") {
    unsigned long code = 0;
    in >> std::hex >> code;
    return fireNavigateError(*entry, static_cast<long>(code));
  }
  if (command == "onquit") return fireOnQuit(*entry);
  if (command == "advised") return entry->browser->hasSink() ? "1" : "0";
  if (command == "navs") {
    return std::to_string(entry->browser->navigateCount()) + " " +
           (entry->browser->lastNavigateOnWindowThread() ? "window-thread " : "other-thread ") +
           narrow(tolvane::win32::fromWide(entry->browser->lastUrl()));
  }
  if (command == "foreground") return GetForegroundWindow() == entry->window ? "1" : "0";
  if (command == "minimize") {
    ShowWindow(entry->window, SW_MINIMIZE);
    return "ok";
  }
  if (command == "iconic") return IsIconic(entry->window) ? "1" : "0";
  if (command == "close") {
    DestroyWindow(entry->window);
    return "ok";
  }
  if (command == "pressd") {
    std::string modifiers;
    int repeats = 1;
    in >> modifiers >> repeats;
    return pressD(*entry, modifiers == "-" ? "" : modifiers, repeats);
  }
  return "error unknown command: " + line;
}

void answer(const std::string& text) {
  const std::string line = text + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

DWORD WINAPI readCommands(void* mainThread) {
  const DWORD threadId = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(mainThread));
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string pending;
  char chunk[256];
  DWORD count = 0;
  while (ReadFile(input, chunk, sizeof chunk, &count, nullptr) && count > 0) {
    pending.append(chunk, count);
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      std::string line = pending.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      PostThreadMessageW(threadId, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
  }
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  return 0;
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue must exist for the reader
  CreateThread(nullptr, 0, readCommands, reinterpret_cast<void*>(static_cast<std::uintptr_t>(GetCurrentThreadId())), 0,
               nullptr);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!message.hwnd && message.message == kCommandMessage) {
      std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(message.lParam));
      if (*line == "exit") {
        answer("bye");
        // Ending the process unloads the library as a real host's end does.
        ExitProcess(0);
      }
      answer(handle(*line));
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
