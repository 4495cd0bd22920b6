// Stands in for Keyrune+, the separate password manager, in tests of surf
// and logon chores. It does what Tolvane relies on from Keyrune+: loads
// the companion library, reports its master key as validated, waits on
// "_tlBhoCmdEvnt", reads the command and the site, and reports the result
// through `kyrError` at once (well within the 700 ms Tolvane waits).
//
//   Keyrune+.exe [--library PATH] [--not-validated] [--fail TEXT]
//                [--record FILE] [--commands N]
//
// --record appends "ready" when it waits, then "<command> <site>" for each
// command taken; --fail reports TEXT for every command; --commands ends
// the program after N commands. Otherwise it runs until it is ended.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/common/wide.h"
#include "protocol/command_words.h"
#include "protocol/companion_entry_points.h"
#include "protocol/kernel_objects.h"
#include "protocol/shared_command_block.h"

namespace protocol = tolvane::protocol;
using tolvane::win32::fromWide;
using tolvane::win32::toWide;

namespace {

struct Options {
  std::wstring library;
  bool validated = true;
  std::wstring failure;
  std::wstring record;
  long commands = -1;
};

struct Exports {
  protocol::GetTextExport* getTlCommand = nullptr;
  protocol::GetTextExport* getSite = nullptr;
  protocol::SetTextExport* setKyrError = nullptr;
  protocol::SetFlagExport* setKyrValidated = nullptr;
};

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

bool parse(int argc, wchar_t** argv, Options& options) {
  options.library = ownFolder() + L"\\TolvaneBho.dll";
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == L"--not-validated") {
      options.validated = false;
    } else if (argument == L"--library" && hasValue) {
      options.library = argv[++i];
    } else if (argument == L"--fail" && hasValue) {
      options.failure = argv[++i];
    } else if (argument == L"--record" && hasValue) {
      options.record = argv[++i];
    } else if (argument == L"--commands" && hasValue) {
      options.commands = std::wcstol(argv[++i], nullptr, 10);
    } else {
      std::fwprintf(stderr, L"Keyrune+ stand-in: unknown or incomplete argument: %ls\n", argument.c_str());
      return false;
    }
  }
  return true;
}

void record(const Options& options, const std::wstring& line) {
  if (options.record.empty()) return;
  HANDLE file = CreateFileW(options.record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::wstring text = line + L"\r\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

template <typename Fn>
Fn* resolve(HMODULE library, const char* name) {
  return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::u16string failureFor(const Options& options, std::u16string_view command, std::u16string_view site) {
  if (!options.failure.empty()) return fromWide(options.failure);
  if (command != protocol::kGotoUrl && command != protocol::kLogon) return u"unknown command " + std::u16string(command);
  if (site.empty()) return u"no site given";
  return {};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!parse(argc, argv, options)) return 2;
  HMODULE library = LoadLibraryW(options.library.c_str());
  if (!library) {
    std::fwprintf(stderr, L"Keyrune+ stand-in: %ls did not load: %08lx\n", options.library.c_str(), GetLastError());
    return 3;
  }
  Exports exports{resolve<protocol::GetTextExport>(library, protocol::kGetTlCommand),
                  resolve<protocol::GetTextExport>(library, protocol::kGetSite),
                  resolve<protocol::SetTextExport>(library, protocol::kSetKyrError),
                  resolve<protocol::SetFlagExport>(library, protocol::kSetKyrValidated)};
  if (!exports.getTlCommand || !exports.getSite || !exports.setKyrError || !exports.setKyrValidated) {
    std::fwprintf(stderr, L"Keyrune+ stand-in: the companion lacks an export\n");
    return 4;
  }
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, toWide(protocol::kKeyruneEventName).c_str());
  if (!event) return 5;
  exports.setKyrError(u"");
  exports.setKyrValidated(options.validated ? TRUE : FALSE);
  record(options, L"ready");
  for (long taken = 0; options.commands < 0 || taken < options.commands; ++taken) {
    if (WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0) break;
    char16_t command[protocol::kTlCommandCapacity] = {};
    char16_t site[protocol::kSiteCapacity] = {};
    exports.getTlCommand(command);
    exports.getSite(site);
    exports.setKyrError(failureFor(options, command, site).c_str());
    record(options, toWide(command) + L" " + toWide(site));
  }
  CloseHandle(event);
  FreeLibrary(library);
  return 0;
}
