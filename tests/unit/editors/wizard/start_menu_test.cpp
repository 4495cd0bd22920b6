#include "editors/wizard/start_menu.h"

#include <gtest/gtest.h>

#include "base/format.h"
#include "base/text.h"
#include "support/fake_files.h"

namespace tolvane {
namespace {

constexpr char16_t kRoot[] = u"C:\\Menu";

// The menu as lines: "id text" for programs, "[text]" for submenus,
// indented by depth.
void describe(const StartMenu& menu, int depth, std::vector<std::string>& lines) {
  for (const StartMenuItem& item : menu) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    if (item.isSubmenu()) {
      lines.push_back(indent + "[" + toUtf8(item.text) + "]");
      describe(item.submenu, depth + 1, lines);
    } else {
      lines.push_back(indent + std::to_string(item.commandId) + " " + toUtf8(item.text));
    }
  }
}

std::vector<std::string> describe(const StartMenu& menu) {
  std::vector<std::string> lines;
  describe(menu, 0, lines);
  return lines;
}

TEST(StartMenu, FilesFirstThenFoldersSortedWithoutCaseNumberedAcrossTheTree) {
  test::FakeFiles files;
  const std::u16string root = kRoot;
  for (const char16_t* file : {u"\\zeta.exe", u"\\Alpha.lnk", u"\\desktop.ini", u"\\Programs\\b.lnk",
                               u"\\Programs\\Accessories\\Notepad.lnk", u"\\Programs\\Accessories\\a.LNK"})
    files.put(root + file, "x");
  for (const char16_t* folder : {u"", u"\\Programs", u"\\Programs\\Accessories", u"\\Programs\\StartUp", u"\\Empty",
                                 u"\\Empty\\Deeper", u"\\Programs\\aTools"})
    files.addFolder(root + folder);
  files.put(root + u"\\Programs\\aTools\\Hidden.exe", "x");
  files.hide(root + u"\\Programs\\aTools\\Hidden.exe");
  files.hide(root + u"\\desktop.ini");

  const StartMenu menu = buildStartMenu(files, kRoot);
  EXPECT_EQ(describe(menu), (std::vector<std::string>{"3584 Alpha", "3585 zeta.exe", "[Programs]", "  3586 b",
                                                      "  [Accessories]", "    3587 a", "    3588 Notepad"}));
  const StartMenuItem* notepad = findStartMenuProgram(menu, 3588);
  ASSERT_NE(notepad, nullptr);
  EXPECT_EQ(notepad->path, u"C:\\Menu\\Programs\\Accessories\\Notepad.lnk");
  EXPECT_EQ(findStartMenuProgram(menu, 3589), nullptr);
  EXPECT_EQ(findStartMenuProgram(menu, 0), nullptr);
  EXPECT_TRUE(buildStartMenu(files, u"").empty());
}

TEST(StartMenu, OffersAtMost512Programs) {
  test::FakeFiles files;
  const std::u16string root = kRoot;
  for (int i = 0; i < 600; ++i) files.put(formatText(u"%s\\p%03.3d.exe", root, i), "x");
  files.addFolder(root);
  files.addFolder(root + u"\\More");
  files.put(root + u"\\More\\late.exe", "x");

  const StartMenu menu = buildStartMenu(files, kRoot);
  ASSERT_EQ(menu.size(), 512u) << "no room is left for the folder either";
  EXPECT_EQ(menu.back().commandId, kLastStartMenuCommand);
  EXPECT_EQ(menu.back().text, u"p511.exe");
}

}  // namespace
}  // namespace tolvane
