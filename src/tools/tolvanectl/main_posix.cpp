// tolvanectl on Linux: arguments and output in UTF-8.
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/key_names.h"
#include "platform/system_clock.h"
#include "tools/posix/posix_files.h"
#include "tools/tolvanectl/tolvanectl.h"

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tolvane::toU16(argv[i]));
  tolvane::PosixFiles files;
  tolvane::PortableKeyNames keyNames;
  tolvane::SystemClock clock;
  const tolvane::ToolServices services{files, keyNames, clock, u'/'};
  return tolvane::printResult(tolvane::runTolvanectl(args, services));
}
