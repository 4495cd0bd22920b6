#include "shell/requests/command_line_requester.h"

#include <windows.h>
#include <shellapi.h>

#include "base/text.h"
#include "engine/requests/request_delivery.h"
#include "platform/system_clock.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "platform/win32/requests/win32_request_channel.h"
#include "platform/win32/sync/win32_sync.h"

namespace tolvane::win32 {

namespace {

bool writeLine(HANDLE handle, std::u16string_view text) {
  if (!handle || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN) return false;
  DWORD written = 0;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring line = toWide(text) + L"\r\n";
    return WriteConsoleW(handle, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE;
  }
  const std::string line = toUtf8(text) + "\r\n";
  return WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE;
}

bool writeToParentConsole(std::u16string_view text) {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  FileHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
  const bool written = console && writeLine(console.get(), text);
  // Closed before the console it belongs to goes.
  console.close();
  FreeConsole();
  return written;
}

void tellUser(std::u16string_view text) {
  if (text.empty()) return;
  if (writeLine(GetStdHandle(STD_ERROR_HANDLE), text) || writeLine(GetStdHandle(STD_OUTPUT_HANDLE), text)) return;
  if (writeToParentConsole(text)) return;
  // A task without a desktop would wait for ever on a box nobody sees.
  if (isInteractiveSession()) MessageBoxW(nullptr, toWide(text).c_str(), L"Tolvane", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

std::vector<std::u16string> programArguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::u16string> arguments;
  for (int i = 1; words && i < count; ++i) arguments.push_back(fromWide(words[i]));
  if (words) LocalFree(words);
  return arguments;
}

int answerRequestLine(const ParsedRequestLine& line) {
  Win32RequestChannel channel;
  SystemClock clock;
  Win32Sync sync;
  const RequestOutcome outcome = deliverRequestLine(line, channel, clock, sync);
  tellUser(requestOutcomeText(outcome, line.request, kProgramRequestUsage));
  return static_cast<int>(outcome);
}

}  // namespace tolvane::win32
