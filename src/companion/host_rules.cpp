#include "companion/host_rules.h"

#include "base/text.h"

namespace tolvane::companion {

HostKind classifyHost(std::u16string_view hostPath) {
  if (containsIgnoreAsciiCase(hostPath, u"iexplore.exe")) return HostKind::InternetExplorer;
  if (hostPath.find(u"Tolvane") != std::u16string_view::npos) return HostKind::MainProgram;
  if (hostPath.find(u"Keyrune+") != std::u16string_view::npos) return HostKind::Keyrune;
  return HostKind::Other;
}

bool isExplorerHost(std::u16string_view hostPath) { return containsIgnoreAsciiCase(hostPath, u"explorer.exe"); }

bool isCountedHost(HostKind kind) { return kind == HostKind::Keyrune || kind == HostKind::Other; }

}  // namespace tolvane::companion
