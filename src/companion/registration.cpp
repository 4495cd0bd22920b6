#include "companion/registration.h"

#include <oleauto.h>

#include <string>

#include "companion/identities.h"
#include "companion/process_state.h"
#include "platform/win32/common/com_owned.h"

namespace tolvane::companion {
namespace {

HRESULT fromRegistry(LSTATUS status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

// Sets a named value (the default value for an empty name) of a key,
// creating the key.
HRESULT setText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return fromRegistry(status);
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return fromRegistry(status);
}

HRESULT createKey(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  const LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(handle);
  return fromRegistry(status);
}

// A key that is already gone counts as removed.
HRESULT deleteTree(HKEY root, const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(root, key.c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    const LSTATUS self = RegDeleteKeyW(root, key.c_str());
    return self == ERROR_SUCCESS || self == ERROR_FILE_NOT_FOUND ? S_OK : fromRegistry(self);
  }
  return fromRegistry(status);
}

std::wstring modulePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(processState().module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(path, length);
}

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClsidText;
const std::wstring kBhoClassKey = std::wstring(kBhoKey) + L"\\" + kClsidText;

}  // namespace

HRESULT registerServer() {
  const std::wstring path = modulePath();
  if (path.empty()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  const std::wstring appIdKey = std::wstring(L"AppID\\") + kAppIdText;
  const std::wstring progIdKey = kProgId;
  const std::wstring independentKey = kVersionIndependentProgId;
  HRESULT status = S_OK;
  auto step = [&status](HRESULT next) {
    if (SUCCEEDED(status)) status = next;
  };
  step(setText(HKEY_CLASSES_ROOT, appIdKey, nullptr, kAppName));
  step(setText(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppExeKey, L"AppID", kAppIdText));

  step(setText(HKEY_CLASSES_ROOT, progIdKey, nullptr, kClassDescription));
  step(setText(HKEY_CLASSES_ROOT, progIdKey + L"\\CLSID", nullptr, kClsidText));
  step(setText(HKEY_CLASSES_ROOT, independentKey, nullptr, kClassDescription));
  step(setText(HKEY_CLASSES_ROOT, independentKey + L"\\CLSID", nullptr, kClsidText));
  step(setText(HKEY_CLASSES_ROOT, independentKey + L"\\CurVer", nullptr, kProgId));

  // The class key is replaced whole, so nothing of an older registration lingers.
  step(deleteTree(HKEY_CLASSES_ROOT, kClsidKey));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey, nullptr, kClassDescription));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey, L"AppID", kAppIdText));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey + L"\\ProgID", nullptr, kProgId));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey + L"\\VersionIndependentProgID", nullptr, kVersionIndependentProgId));
  step(createKey(HKEY_CLASSES_ROOT, kClsidKey + L"\\Programmable"));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey + L"\\InprocServer32", nullptr, path));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey + L"\\InprocServer32", L"ThreadingModel", kThreadingModel));
  step(setText(HKEY_CLASSES_ROOT, kClsidKey + L"\\TypeLib", nullptr, kLibIdText));

  step(deleteTree(HKEY_LOCAL_MACHINE, kBhoClassKey));
  step(setText(HKEY_LOCAL_MACHINE, kBhoClassKey, nullptr, kBhoDescription));
  if (FAILED(status)) return status;

  // Registering the dual interface's type library also registers the
  // interface with the automation marshaler.
  win32::ComPtr<ITypeLib> library;
  status = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
  if (FAILED(status)) return status;
  std::wstring registeredPath = path;
  return RegisterTypeLib(library.get(), registeredPath.data(), nullptr);
}

HRESULT unregisterServer() {
  HKEY bho = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBhoKey, 0, KEY_WRITE | KEY_READ, &bho) == ERROR_SUCCESS) {
    deleteTree(bho, kClsidText);
    RegCloseKey(bho);
  }
  for (const std::wstring& key : {std::wstring(kProgId), std::wstring(kVersionIndependentProgId), kClsidKey,
                                  std::wstring(L"AppID\\") + kAppIdText, std::wstring(L"AppID\\") + kAppExeKey}) {
    const HRESULT status = deleteTree(HKEY_CLASSES_ROOT, key);
    if (FAILED(status)) return status;
  }
  const HRESULT status = UnRegisterTypeLib(kLibId, kLibVersionMajor, kLibVersionMinor, kLibLocale, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  // A type library that is not registered is already as we want it.
  return status == TYPE_E_REGISTRYACCESS ? S_OK : status;
}

}  // namespace tolvane::companion
