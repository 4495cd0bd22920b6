#include "host/fake_web_browser.h"

#include <olectl.h>

namespace tolvane::test {
namespace {

constexpr GUID kDiidWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};
constexpr DWORD kCookie = 7;

}  // namespace

FakeWebBrowser::FakeWebBrowser(HWND window, bool withConnectionPoints)
    : window_(window), withConnectionPoints_(withConnectionPoints) {}

HRESULT FakeWebBrowser::QueryInterface(REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IWebBrowser) ||
      IsEqualIID(riid, IID_IWebBrowserApp) || IsEqualIID(riid, IID_IWebBrowser2)) {
    *result = static_cast<IWebBrowser2*>(this);
  } else if (withConnectionPoints_ && IsEqualIID(riid, IID_IConnectionPointContainer)) {
    *result = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG FakeWebBrowser::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FakeWebBrowser::Release() {
  const LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT FakeWebBrowser::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  ++navigateCount_;
  lastUrl_ = url ? std::wstring(url, SysStringLen(url)) : std::wstring();
  lastNavigateOnWindowThread_ = GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId();
  return S_OK;
}

HRESULT FakeWebBrowser::get_LocationName(BSTR* name) {
  if (!name) return E_POINTER;
  *name = SysAllocString(locationName_.c_str());
  return S_OK;
}

HRESULT FakeWebBrowser::get_HWND(SHANDLE_PTR* window) {
  if (!window) return E_POINTER;
  *window = reinterpret_cast<SHANDLE_PTR>(window_);
  return S_OK;
}

HRESULT FakeWebBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(riid, kDiidWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
  *point = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT FakeWebBrowser::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  if (sink_) return CONNECT_E_ADVISELIMIT;
  if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink_)))) return CONNECT_E_CANNOTCONNECT;
  *cookie = kCookie;
  return S_OK;
}

HRESULT FakeWebBrowser::Unadvise(DWORD cookie) {
  if (cookie != kCookie || !sink_) return CONNECT_E_NOCONNECTION;
  sink_->Release();
  sink_ = nullptr;
  return S_OK;
}

HRESULT FakeWebBrowser::fire(DISPID id, DISPPARAMS& params) {
  if (!sink_) return CONNECT_E_NOCONNECTION;
  IDispatch* sink = sink_;
  sink->AddRef();
  const HRESULT status = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  sink->Release();
  return status;
}

}  // namespace tolvane::test
