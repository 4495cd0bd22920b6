#include <gtest/gtest.h>

#include "companion/diagnostic_keys.h"
#include "companion/host_rules.h"

namespace tolvane::companion {
namespace {

TEST(CompanionHostRules, HostsAreClassifiedByTheirPath) {
  EXPECT_EQ(classifyHost(u"C:\\Program Files\\Tolvane\\Tolvane.exe"), HostKind::MainProgram);
  // Any folder named Tolvane makes the host the main program.
  EXPECT_EQ(classifyHost(u"C:\\Tolvane tools\\notepad.exe"), HostKind::MainProgram);
  EXPECT_EQ(classifyHost(u"C:\\tolvane\\notepad.exe"), HostKind::Other);
  EXPECT_EQ(classifyHost(u"C:\\Tallowmere\\Keyrune+\\Keyrune+.exe"), HostKind::Keyrune);
  EXPECT_EQ(classifyHost(u"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"), HostKind::InternetExplorer);
  // Internet Explorer is refused even from a Tolvane folder.
  EXPECT_EQ(classifyHost(u"C:\\Tolvane\\iexplore.exe"), HostKind::InternetExplorer);
  EXPECT_EQ(classifyHost(u"C:\\Windows\\explorer.exe"), HostKind::Other);

  EXPECT_TRUE(isExplorerHost(u"C:\\Windows\\EXPLORER.EXE"));
  EXPECT_TRUE(isExplorerHost(u"C:\\x\\myexplorer.exe"));
  EXPECT_FALSE(isExplorerHost(u"C:\\Program Files\\Internet Explorer\\iexplore.exe"));

  EXPECT_FALSE(isCountedHost(HostKind::MainProgram));
  EXPECT_TRUE(isCountedHost(HostKind::Keyrune));
  EXPECT_TRUE(isCountedHost(HostKind::Other));
}

TEST(CompanionHostRules, OnlyTheFirstCtrlAltDKeyDownOpensTheDiagnosticBox) {
  const std::uint32_t altDown = 1u << 29;
  const std::uint32_t repeat = 1u << 30;
  const std::uint32_t keyUp = 1u << 31;
  EXPECT_TRUE(isDiagnosticKeystroke('D', altDown | 1, true));
  EXPECT_FALSE(isDiagnosticKeystroke('D', 1, true));              // Ctrl+D
  EXPECT_FALSE(isDiagnosticKeystroke('D', altDown | 1, false));   // Alt+D
  EXPECT_FALSE(isDiagnosticKeystroke('D', altDown | repeat, true));
  EXPECT_FALSE(isDiagnosticKeystroke('D', altDown | repeat | keyUp, true));
  EXPECT_FALSE(isDiagnosticKeystroke('E', altDown, true));
}

}  // namespace
}  // namespace tolvane::companion
