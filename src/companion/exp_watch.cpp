#include "companion/exp_watch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <vector>

#include "base/format.h"
#include "companion/bho_log.h"
#include "companion/command_thread.h"
#include "companion/diagnostic_keys.h"
#include "companion/host_rules.h"
#include "companion/last_doc.h"
#include "companion/module_counts.h"
#include "companion/navigation.h"
#include "companion/process_state.h"
#include "companion/shared_block.h"
#include "platform/win32/common/com_owned.h"
#include "platform/win32/common/wide.h"

namespace tolvane::companion {
namespace {

constexpr DISPID kDispidDocumentComplete = 259;
constexpr DISPID kDispidNavigateError = 271;
constexpr DISPID kDispidOnQuit = 253;
constexpr UINT kNavigateMessage = WM_APP + 0x54;
constexpr wchar_t kNavigationWindowClass[] = L"TolvaneBhoNavigation";

// Objects alive in this process, oldest first; the command thread calls
// nothing it does not find here.
std::mutex liveLock;
std::vector<expWatch*> liveObjects_;

// The most recently installed keyboard hook of any object in the process.
std::atomic<HHOOK> latestHook{nullptr};
std::atomic<bool> navigationClassRegistered{false};

std::u16string diagnosticText() {
  const std::u16string& hostPath = processState().hostPath;
  std::u16string text = u"TolvaneBho v" + libraryVersionText() + u"  \nis loaded by\n";
  text += hostPath.empty() ? u"IE" : hostPath;
  text += u" v" + fileVersionText(hostPath) + u"  \nlastDoc: " + lastDoc();
  return text;
}

LRESULT CALLBACK keyboardHookProc(int code, WPARAM virtualKey, LPARAM keyData) {
  // A keystroke that is only peeked at (HC_NOREMOVE) comes back when it is
  // taken; negative codes are not ours to look at.
  if (code != HC_ACTION) return CallNextHookEx(latestHook.load(), code, virtualKey, keyData);
  // The box's message loop meets the same keystroke again before the hook
  // has returned; one press shows one box.
  thread_local bool showingBox = false;
  const bool ctrlDown = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  if (!showingBox && isDiagnosticKeystroke(virtualKey, static_cast<std::uint32_t>(keyData), ctrlDown)) {
    showingBox = true;
    MessageBoxW(nullptr, win32::toWide(diagnosticText()).c_str(), L"Tallowmere", MB_ICONWARNING | MB_OK);
    showingBox = false;
  }
  return CallNextHookEx(latestHook.load(), code, virtualKey, keyData);
}

LRESULT CALLBACK navigationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNavigateMessage) {
    if (auto* object = reinterpret_cast<expWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
      object->navigateToSharedFolder();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool registerNavigationWindowClass() {
  if (navigationClassRegistered.load()) return true;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = navigationWindowProc;
  windowClass.hInstance = processState().module;
  windowClass.lpszClassName = kNavigationWindowClass;
  if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  navigationClassRegistered = true;
  return true;
}

// The event's arguments arrive as variants, usually by reference; `read`
// sees a copy converted to `type`.
template <typename Read>
bool readArgument(VARIANT& argument, VARTYPE type, Read read) {
  win32::Variant copy;
  const bool ok = SUCCEEDED(VariantCopyInd(copy.get(), &argument)) &&
                  SUCCEEDED(VariantChangeType(copy.get(), copy.get(), 0, type));
  if (ok) read(*copy);
  return ok;
}

// Under liveLock.
expWatch* navigationTarget() {
  auto& block = sharedBlock();
  auto* primary = static_cast<expWatch*>(block.primaryBho.load());
  const bool primaryHere = block.primaryBhoProcId.load() == processState().uProcId &&
                           std::find(liveObjects_.begin(), liveObjects_.end(), primary) != liveObjects_.end();
  if (primaryHere && primary->canNavigate()) return primary;
  for (auto object = liveObjects_.rbegin(); object != liveObjects_.rend(); ++object) {
    if ((*object)->canNavigate()) return *object;
  }
  return nullptr;
}

}  // namespace

NavigationRequest requestNavigation() {
  std::lock_guard lock(liveLock);
  expWatch* target = navigationTarget();
  if (!target) return NavigationRequest::NoWindow;
  return PostMessageW(target->navigationWindow(), kNavigateMessage, 0, 0) ? NavigationRequest::Posted
                                                                         : NavigationRequest::NotPosted;
}

void unregisterNavigationWindowClass() {
  if (navigationClassRegistered.exchange(false)) UnregisterClassW(kNavigationWindowClass, processState().module);
}

HRESULT expWatch::create(IUnknown* outer, REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  // COM allows an aggregated object to hand out only its own IUnknown.
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  auto* object = new (std::nothrow) expWatch(outer);
  if (!object) return E_OUTOFMEMORY;
  const HRESULT status = object->inner_.QueryInterface(riid, result);
  object->inner_.Release();
  return status;
}

expWatch::expWatch(IUnknown* outer) : inner_(*this), outer_(outer ? outer : &inner_) {
  ++liveObjects;
  std::lock_guard lock(liveLock);
  liveObjects_.push_back(this);
}

expWatch::~expWatch() {
  {
    std::lock_guard lock(liveLock);
    std::erase(liveObjects_, this);
  }
  releaseOnQuit();
  // Before the object stops counting: once none counts, the library may be
  // unloaded under code still running here.
  container_.reset();
  browser_.reset();
  --liveObjects;
}

HRESULT expWatch::Inner::QueryInterface(REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (IsEqualIID(riid, IID_IUnknown)) {
    *result = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(riid, IID_IObjectWithSite)) {
    *result = static_cast<IObjectWithSite*>(&owner_);
  } else if (IsEqualIID(riid, __uuidof(IexpWatch)) || IsEqualIID(riid, IID_IDispatch) ||
             IsEqualIID(riid, kDiidWebBrowserEvents2)) {
    *result = static_cast<IexpWatch*>(&owner_);
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*result)->AddRef();
  return S_OK;
}

ULONG expWatch::Inner::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG expWatch::Inner::Release() {
  const LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete &owner_;
  return static_cast<ULONG>(remaining);
}

HRESULT expWatch::QueryInterface(REFIID riid, void** result) { return outer_->QueryInterface(riid, result); }
ULONG expWatch::AddRef() { return outer_->AddRef(); }
ULONG expWatch::Release() { return outer_->Release(); }

HRESULT expWatch::SetSite(IUnknown* site) {
  browser_.reset();
  browser_ = win32::queryInterface<IWebBrowser2>(site, IID_IWebBrowser2);
  if (!browser_) return E_INVALIDARG;
  container_.reset();
  container_ = win32::queryInterface<IConnectionPointContainer>(browser_.get(), IID_IConnectionPointContainer);
  if (!container_) return E_POINTER;
  installKeyboardHook();
  SHANDLE_PTR window = 0;
  if (SUCCEEDED(browser_->get_HWND(&window))) browserWindow_ = reinterpret_cast<HWND>(window);
  createNavigationWindow();

  auto& block = sharedBlock();
  const std::int32_t count = ++block.instCount;
  bhoLog(static_cast<std::uint32_t>(count), u" in SetSite(); instCount= ");
  if (count == 1) {
    block.primaryBhoProcId = processState().uProcId;
    block.primaryBho = this;
  }
  // An Explorer that outlived the command thread's process takes over; a
  // command thread that found no window to navigate stopped claiming to be
  // up, and a window of its own process brings it back.
  if (isExplorerHost(processState().hostPath)) startCommandThreadIfNone();
  if (navigationWindow_ && hostsCommandThread()) block.bhoUp = true;
  return adviseBrowserEvents();
}

HRESULT expWatch::GetSite(REFIID, void** site) {
  if (!site) return E_POINTER;
  *site = nullptr;
  return E_FAIL;
}

void expWatch::releaseOnQuit() {
  if (keyboardHook_) {
    UnhookWindowsHookEx(keyboardHook_);
    HHOOK expected = keyboardHook_;
    latestHook.compare_exchange_strong(expected, nullptr);
    keyboardHook_ = nullptr;
  }
  unadviseBrowserEvents();
  // The browser is going away: the command thread must not reach it.
  destroyNavigationWindow();
}

HRESULT expWatch::installKeyboardHook() {
  if (keyboardHook_) UnhookWindowsHookEx(keyboardHook_);
  keyboardHook_ = SetWindowsHookExW(WH_KEYBOARD, keyboardHookProc, nullptr, GetCurrentThreadId());
  if (!keyboardHook_) return HRESULT_FROM_WIN32(GetLastError());
  latestHook = keyboardHook_;
  return S_OK;
}

HRESULT expWatch::adviseBrowserEvents() {
  if (!container_) return E_POINTER;
  win32::ComPtr<IConnectionPoint> point;
  const HRESULT status = container_->FindConnectionPoint(kDiidWebBrowserEvents2, point.put());
  if (FAILED(status)) return status;
  if (!point) return E_POINTER;
  return point->Advise(static_cast<IexpWatch*>(this), &adviseCookie_);
}

void expWatch::unadviseBrowserEvents() {
  if (!container_ || adviseCookie_ == 0) return;
  win32::ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(container_->FindConnectionPoint(kDiidWebBrowserEvents2, point.put())) && point)
    point->Unadvise(adviseCookie_);
  adviseCookie_ = 0;
}

HRESULT expWatch::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT expWatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(processState().module, path, MAX_PATH) == 0) return HRESULT_FROM_WIN32(GetLastError());
  win32::ComPtr<ITypeLib> library;
  const HRESULT status = LoadTypeLibEx(path, REGKIND_NONE, library.put());
  if (FAILED(status)) return status;
  return library->GetTypeInfoOfGuid(__uuidof(IexpWatch), info);
}

HRESULT expWatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
  win32::ComPtr<ITypeInfo> info;
  const HRESULT status = GetTypeInfo(0, locale, info.put());
  if (FAILED(status)) return status;
  return info->GetIDsOfNames(names, count, ids);
}

HRESULT expWatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (!params) return E_INVALIDARG;
  switch (id) {
    case kDispidDocumentComplete:
      if (params->cArgs < 1 || !params->rgvarg) return E_INVALIDARG;
      onDocumentComplete(*params);
      return S_OK;
    case kDispidNavigateError:
      if (params->cArgs < 2 || !params->rgvarg) return E_INVALIDARG;
      onNavigateError(*params);
      return S_OK;
    case kDispidOnQuit:
      releaseOnQuit();
      return S_OK;
    default:
      return S_OK;
  }
}

void expWatch::onDocumentComplete(DISPPARAMS& params) {
  win32::Bstr location;
  if (browser_ && SUCCEEDED(browser_->get_LocationName(location.put()))) {
    const std::wstring_view name = location.view();
    if (name.size() == 1 || name.find(L"about:blank") != std::wstring_view::npos) return;
  }
  std::u16string address;
  const auto takeAddress = [&address](const VARIANT& text) {
    address = win32::fromWide(std::wstring_view(text.bstrVal, SysStringLen(text.bstrVal)));
  };
  if (!readArgument(params.rgvarg[0], VT_BSTR, takeAddress)) return;
  storeLastDoc(address);
  if (sharedBlock().debugLogging.load()) appendToLogFile(protocol::docCompleteLine(currentLogTime(), address));
}

void expWatch::onNavigateError(DISPPARAMS& params) {
  readArgument(params.rgvarg[1], VT_I4, [](const VARIANT& code) {
    storeLastDoc(navigateErrorText(static_cast<std::uint32_t>(code.lVal)));
  });
}

void expWatch::createNavigationWindow() {
  if (navigationWindow_ || !registerNavigationWindowClass()) return;
  HWND window = CreateWindowExW(0, kNavigationWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                processState().module, nullptr);
  if (!window) return;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  std::lock_guard lock(liveLock);
  navigationWindow_ = window;
}

void expWatch::destroyNavigationWindow() {
  HWND window = nullptr;
  {
    std::lock_guard lock(liveLock);
    window = navigationWindow_;
    navigationWindow_ = nullptr;
  }
  if (!window) return;
  // Cut the window's link first: from another thread DestroyWindow fails.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

void expWatch::navigateToSharedFolder() {
  if (!browser_) return;
  const win32::Bstr address(win32::toWide(loadShared(sharedBlock().folderName)));
  win32::Variant empty;
  const HRESULT status = browser_->Navigate(address.get(), empty.get(), empty.get(), empty.get(), empty.get());
  if (FAILED(status)) bhoLog(static_cast<std::uint32_t>(status), u"Explorer Navigate call failed; errCode: ");
  bringBrowserToFront(browserWindow_);
}

}  // namespace tolvane::companion
