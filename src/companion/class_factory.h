#pragma once
// The class object that serves `expWatch`.

#include <windows.h>
#include <unknwn.h>

namespace tolvane::companion {

class ExpWatchFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** result) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** result) override;
  STDMETHODIMP LockServer(BOOL lock) override;
};

// The one class object of the process; it lives as long as the library.
ExpWatchFactory& expWatchFactory();

}  // namespace tolvane::companion
