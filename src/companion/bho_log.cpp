#include "companion/bho_log.h"

#include <windows.h>

#include <atomic>
#include <optional>

#include "companion/shared_block.h"
#include "platform/win32/common/debug_log_file.h"
#include "platform/win32/common/file_version.h"
#include "platform/win32/common/wide.h"
#include "protocol/companion_entry_points.h"
#include "protocol/kernel_objects.h"

namespace tolvane::companion {
namespace {

std::atomic<HANDLE> debugMutex{nullptr};
std::atomic<bool> firstLine{true};

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

void closeDebugMutex() { takeAndClose(debugMutex); }

void appendToLogFile(std::u16string_view text) {
  HANDLE mutex = debugMutex.load();
  if (!mutex) return;
  const DWORD wait = WaitForSingleObject(mutex, protocol::kLogMutexWaitMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return;
  win32::appendDebugLogText(win32::debugLogPlaces(), text);
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
  const std::optional<win32::FileVersion> version = win32::readModuleVersion(module);
  return version ? protocol::versionText(version->mostSignificant, version->leastSignificant) : u"";
}

std::u16string fileVersionText(const std::u16string& path) {
  const std::optional<win32::FileVersion> version = win32::readFileVersion(win32::toWide(path));
  return version ? protocol::fullVersionText(version->mostSignificant, version->leastSignificant) : u"";
}

}  // namespace tolvane::companion
