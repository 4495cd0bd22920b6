#include "companion/bho_log.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "companion/shared_block.h"
#include "platform/win32/wide.h"
#include "protocol/exports.h"
#include "protocol/kernel_objects.h"

namespace tolvane::companion {
namespace {

std::atomic<HANDLE> debugMutex{nullptr};
std::atomic<bool> firstLine{true};

int ansiLength(const std::wstring& wide, std::size_t count) {
  return WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), nullptr, 0, nullptr, nullptr);
}

// The ANSI bytes written for a text: the longest leading part whose
// conversion fits the 512-byte line buffer, cut between characters.
std::string ansiLogBytes(std::u16string_view text) {
  const std::wstring wide = win32::toWide(text);
  std::size_t count = std::min(wide.size(), protocol::kLogLineBytes);
  // A character set with two-byte characters needs a shorter cut.
  while (count > 0 && ansiLength(wide, count) > static_cast<int>(protocol::kLogLineBytes)) --count;
  if (count > 0 && count < wide.size() && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) --count;
  std::string bytes(protocol::kLogLineBytes, '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return bytes;
}

bool readFixedVersion(const std::wstring& path, DWORD& ms, DWORD& ls) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
      infoSize < sizeof(VS_FIXEDFILEINFO))
    return false;
  ms = info->dwFileVersionMS;
  ls = info->dwFileVersionLS;
  return true;
}

}  // namespace

protocol::LogTime currentLogTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

void openDebugMutex() {
  if (!debugMutex.load())
    debugMutex = CreateMutexW(nullptr, FALSE, win32::toWide(protocol::kDebugMutexName).c_str());
}

void closeDebugMutex() {
  if (HANDLE mutex = debugMutex.exchange(nullptr)) CloseHandle(mutex);
}

void appendToLogFile(std::u16string_view text) {
  HANDLE mutex = debugMutex.load();
  if (!mutex) return;
  const DWORD wait = WaitForSingleObject(mutex, protocol::kLogMutexWaitMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return;
  HANDLE file = CreateFileW(win32::toWide(protocol::kDebugLogPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const std::string bytes = ansiLogBytes(text);
    DWORD written = 0;
    SetFilePointer(file, 0, nullptr, FILE_END);
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  ReleaseMutex(mutex);
}

void bhoLog(std::uint32_t value, std::u16string_view text) {
  if (!sharedBlock().debugLogging.load()) return;
  const protocol::LogTime now = currentLogTime();
  if (firstLine.exchange(false)) appendToLogFile(protocol::bhoHeaderLine(now));
  appendToLogFile(protocol::bhoLine(now, text, value));
}

std::u16string libraryVersionText() {
  HMODULE module = GetModuleHandleW(win32::toWide(protocol::kCompanionFileName).c_str());
  if (!module) return protocol::kVersionNotFound;
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return protocol::kVersionNotFound;
  DWORD ms = 0;
  DWORD ls = 0;
  if (!readFixedVersion(path, ms, ls)) return {};
  return protocol::versionText(ms, ls);
}

std::u16string fileVersionText(const std::u16string& path) {
  DWORD ms = 0;
  DWORD ls = 0;
  if (!readFixedVersion(win32::toWide(path), ms, ls)) return {};
  return protocol::fullVersionText(ms, ls);
}

}  // namespace tolvane::companion
