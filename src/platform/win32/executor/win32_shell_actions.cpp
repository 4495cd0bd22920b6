#include "platform/win32/executor/win32_shell_actions.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/com_apartment.h"
#include "platform/win32/common/com_owned.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

namespace {

// SLR_NO_UI | SLR_ANY_MATCH | SLR_NOUPDATE | SLR_NOLINKINFO: never ask the
// user and never rewrite the shortcut.
constexpr DWORD kResolveQuietly = 0x4B;

const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// A double-null-terminated list: each path with its terminator, then one
// more.
std::wstring pathList(const std::vector<std::u16string>& paths) {
  std::wstring list;
  for (const auto& path : paths) {
    list += toWide(path);
    list += L'\0';
  }
  list += L'\0';
  return list;
}

}  // namespace

std::intptr_t Win32ShellActions::execute(std::u16string_view verb, std::u16string_view file,
                                         std::u16string_view parameters, std::u16string_view directory) {
  const std::wstring wideVerb = toWide(verb);
  const std::wstring wideFile = toWide(file);
  const std::wstring wideParameters = toWide(parameters);
  const std::wstring wideDirectory = toWide(directory);
  const HINSTANCE result = ShellExecuteW(owner_.load(), orNull(wideVerb), wideFile.c_str(), orNull(wideParameters),
                                         orNull(wideDirectory), SW_SHOW);
  return reinterpret_cast<std::intptr_t>(result);
}

int Win32ShellActions::fileOperation(const ShellFileOperation& operation) {
  const std::wstring from = pathList(operation.sources);
  const std::wstring to = operation.destination.empty() ? std::wstring() : pathList({operation.destination});
  SHFILEOPSTRUCTW op{};
  op.hwnd = owner_.load();
  op.wFunc = static_cast<UINT>(operation.operation);
  op.pFrom = from.c_str();
  op.pTo = to.empty() ? nullptr : to.c_str();
  op.fFlags = operation.flags;
  op.lpszProgressTitle = L"";
  return SHFileOperationW(&op);
}

ShortcutTarget Win32ShellActions::shortcutTarget(std::u16string_view shortcutPath) {
  const ComApartment com;
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid());
  if (FAILED(hr)) return {ShortcutTarget::Status::CreateFailed, {}, static_cast<std::uint32_t>(hr)};
  ComPtr<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, file.putVoid());
  if (SUCCEEDED(hr)) hr = file->Load(toWide(shortcutPath).c_str(), STGM_READ);
  if (SUCCEEDED(hr)) hr = link->Resolve(owner_.load(), kResolveQuietly);
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(hr)) hr = link->GetPath(path, MAX_PATH, nullptr, 0);
  if (hr == S_OK && path[0] != L'\0') return {ShortcutTarget::Status::Path, fromWide(path), 0};
  if (SUCCEEDED(hr)) return {ShortcutTarget::Status::NoPath, {}, 0};
  return {ShortcutTarget::Status::GetPathFailed, {}, static_cast<std::uint32_t>(hr)};
}

}  // namespace tolvane::win32
