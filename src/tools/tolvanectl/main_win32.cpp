// tolvanectl on Windows: UTF-16 arguments, UTF-8 output.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/system_clock.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "platform/win32/registry/win32_registry.h"
#include "win32_common/wide.h"
#include "tools/tolvanectl/request_commands.h"
#include "tools/tolvanectl/tolvanectl.h"

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tolvane::win32::fromWide(argv[i]));
  if (const auto requested = tolvane::win32::runRequestCommand(args)) return tolvane::printResult(*requested);
  tolvane::win32::Win32Files files;
  tolvane::win32::Win32KeyNames keyNames;
  tolvane::SystemClock clock;
  tolvane::win32::Win32Registry registry;
  const tolvane::ToolServices services{files, keyNames, clock, u'\\', &registry};
  return tolvane::printResult(tolvane::runTolvanectl(args, services));
}
