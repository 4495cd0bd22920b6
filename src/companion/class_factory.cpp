#include "companion/class_factory.h"

#include "companion/exp_watch.h"
#include "companion/module_counts.h"

namespace tolvane::companion {

ExpWatchFactory& expWatchFactory() {
  static ExpWatchFactory factory;
  return factory;
}

HRESULT ExpWatchFactory::QueryInterface(REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
  *result = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

// References to the class object keep the server loaded like locks do.
ULONG ExpWatchFactory::AddRef() { return static_cast<ULONG>(++serverLocks); }
ULONG ExpWatchFactory::Release() { return static_cast<ULONG>(--serverLocks); }

HRESULT ExpWatchFactory::CreateInstance(IUnknown* outer, REFIID riid, void** result) {
  return expWatch::create(outer, riid, result);
}

HRESULT ExpWatchFactory::LockServer(BOOL lock) {
  if (lock) {
    ++serverLocks;
  } else {
    --serverLocks;
  }
  return S_OK;
}

}  // namespace tolvane::companion
