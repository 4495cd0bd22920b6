#pragma once
// The browser helper object: one per Explorer browser window. It keeps
// the window's browser, listens to its events and, for the primary
// object, carries out the command thread's navigation on the window's
// own thread.

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include "companion/identities.h"
#include "platform/win32/common/com_owned.h"

namespace tolvane::companion {

class expWatch : public IObjectWithSite, public IexpWatch {
 public:
  // Class-factory entry: creates an object, aggregated when `outer` is set.
  static HRESULT create(IUnknown* outer, REFIID riid, void** result);

  STDMETHODIMP QueryInterface(REFIID riid, void** result) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP SetSite(IUnknown* site) override;
  STDMETHODIMP GetSite(REFIID riid, void** site) override;

  virtual ~expWatch();
  virtual void releaseOnQuit();
  virtual HRESULT installKeyboardHook();
  virtual HRESULT adviseBrowserEvents();
  virtual void unadviseBrowserEvents();

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) override;

  // Runs on the browser window's thread, asked by the command thread.
  void navigateToSharedFolder();
  HWND navigationWindow() const { return navigationWindow_; }
  // Sited, and its browser window is still there.
  bool canNavigate() const { return navigationWindow_ && IsWindow(browserWindow_); }

 private:
  explicit expWatch(IUnknown* outer);

  // The object's own IUnknown, which an aggregating outer object holds.
  class Inner : public IUnknown {
   public:
    explicit Inner(expWatch& owner) : owner_(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** result) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

   private:
    expWatch& owner_;
    LONG references_ = 1;
  };

  void onDocumentComplete(DISPPARAMS& params);
  void onNavigateError(DISPPARAMS& params);
  void createNavigationWindow();
  void destroyNavigationWindow();

  Inner inner_;
  IUnknown* outer_;
  win32::ComPtr<IWebBrowser2> browser_;
  win32::ComPtr<IConnectionPointContainer> container_;
  DWORD adviseCookie_ = 0;
  HWND browserWindow_ = nullptr;
  HWND navigationWindow_ = nullptr;
  HHOOK keyboardHook_ = nullptr;
};

// DLL detach, when the library is unloaded from a process that stays.
void unregisterNavigationWindowClass();

}  // namespace tolvane::companion
