#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/help/help_file.h"

namespace tolvane::win32 {
namespace {

// The build's help file, as Wine sees the Unix path.
std::wstring builtHelpFile() {
  const std::string unixPath = TOLVANE_TEST_HELP_FILE;
  std::wstring path = L"Z:" + std::wstring(unixPath.begin(), unixPath.end());
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

HWND helpWindow() { return FindWindowW(L"HH Parent", L"Tolvane Help"); }

TEST(HelpFile, TheHelpCommandsOpenTheBuiltFileInAnHtmlHelpWindowThatClosesWithTheProgram) {
  setHelpFile(builtHelpFile());
  ASSERT_TRUE(openHelp(nullptr, helpTopicForCaption(u"Chore Wizard")));
  EXPECT_NE(helpWindow(), nullptr);
  EXPECT_TRUE(openHelp(nullptr)) << "a second topic reuses the window";
  closeHelp();
  EXPECT_EQ(helpWindow(), nullptr);
}

TEST(HelpFile, AMissingFileIsReportedWithItsPathAndOpensNothing) {
  const std::wstring missing = L"Z:\\nowhere\\Tolvane.chm";
  EXPECT_EQ(showHelpTopic(nullptr, missing, kMainHelpTopic), HelpOutcome::FileMissing);
  EXPECT_EQ(helpWindow(), nullptr);
  EXPECT_NE(helpFailureText(HelpOutcome::FileMissing, missing).find(u"Z:\\nowhere\\Tolvane.chm"), std::u16string::npos);
  EXPECT_TRUE(helpFailureText(HelpOutcome::Opened, missing).empty());
}

TEST(HelpTopics, EveryWindowGetsItsTopicAndEveryTopicIsInTheHelpFile) {
  const struct {
    std::u16string_view caption;
    std::u16string_view topic;
  } cases[] = {
      {u"Create a new chore", u"::/helpCreateChoreTl.htm"},  {u"Edit chore list", u"::/helpCreateChoreTl.htm"},
      {u"Select a window", u"::/helpSelectMessageTl.htm"},  {u"Select a menu/button", u"::/helpSelectMessageTl.htm"},
      {u"Hot Keys", u"::/helpViewHotKeysTl.htm"},           {u"Set up a schedule", u"::/helpViewSchedulesTl.htm"},
      {u"Chore Wizard", u"::/helpWizardTl.htm"},            {u"Options", u"::/helpViewOptionsTl.htm"},
      {u"Tolvane", u"::/helpTolvane.htm"},                  {u"Color option", u"::/helpTolvane.htm"},
  };
  std::ifstream in(TOLVANE_TEST_HELP_FILE, std::ios::binary);
  const std::string chm(std::istreambuf_iterator<char>(in), {});
  ASSERT_FALSE(chm.empty());
  for (const auto& entry : cases) {
    EXPECT_EQ(helpTopicForCaption(entry.caption), entry.topic) << std::string(entry.caption.begin(), entry.caption.end());
    // The help file's directory names each topic as "/name.htm".
    const std::string name(entry.topic.begin() + 2, entry.topic.end());
    EXPECT_NE(chm.find(name), std::string::npos) << name << " is not in Tolvane.chm";
  }
}

}  // namespace
}  // namespace tolvane::win32
