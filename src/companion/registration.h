#pragma once
// COM and browser-helper-object registration of the companion.

#include <windows.h>

namespace tolvane::companion {

HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace tolvane::companion
