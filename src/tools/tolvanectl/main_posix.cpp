// tolvanectl on Linux: arguments and output in UTF-8.
#include <cstdio>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/system_clock.h"
#include "tools/posix/posix_files.h"
#include "tools/tolvanectl/tolvanectl.h"

namespace {

class QuietLog final : public tolvane::LogSink {
 public:
  void activity(std::u16string_view, bool) override {}
  void debug(std::u16string_view) override {}
};

class PortableKeyNames final : public tolvane::KeyNames {
 public:
  std::u16string keyName(std::uint16_t value) override { return tolvane::portableKeyName(value); }
};

void write(std::FILE* stream, std::u16string_view text) {
  const std::string bytes = tolvane::toUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tolvane::toU16(argv[i]));
  tolvane::PosixFiles files;
  PortableKeyNames keyNames;
  tolvane::SystemClock clock;
  QuietLog log;
  const tolvane::ToolServices services{files, keyNames, clock, log, u'/'};
  const tolvane::ToolResult result = tolvane::runTolvanectl(args, services);
  write(stdout, result.out);
  write(stderr, result.err);
  return result.exitCode;
}
