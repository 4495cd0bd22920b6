// tolvanectl on Windows: UTF-16 arguments, UTF-8 output.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/system_clock.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "platform/win32/wide.h"
#include "tools/tolvanectl/tolvanectl.h"

namespace {

class QuietLog final : public tolvane::LogSink {
 public:
  void activity(std::u16string_view, bool) override {}
  void debug(std::u16string_view) override {}
};

void write(std::FILE* stream, std::u16string_view text) {
  const std::string bytes = tolvane::toUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tolvane::win32::fromWide(argv[i]));
  tolvane::win32::Win32Files files;
  tolvane::win32::Win32KeyNames keyNames;
  tolvane::SystemClock clock;
  QuietLog log;
  const tolvane::ToolServices services{files, keyNames, clock, log, u'\\'};
  const tolvane::ToolResult result = tolvane::runTolvanectl(args, services);
  write(stdout, result.out);
  write(stderr, result.err);
  return result.exitCode;
}
