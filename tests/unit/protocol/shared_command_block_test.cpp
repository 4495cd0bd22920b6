#include "protocol/shared_command_block.h"

#include <gtest/gtest.h>

#include "protocol/block_text.h"
#include "protocol/command_words.h"

namespace tolvane::protocol {
namespace {

TEST(SharedCommandBlock, FreshBlockIsEmptyExceptTheLogSizeLimit) {
  SharedCommandBlock block;
  EXPECT_EQ(block.primaryBho.load(), nullptr);
  EXPECT_EQ(block.loadCount.load(), 0);
  EXPECT_EQ(block.instCount.load(), 0);
  EXPECT_EQ(loadBlockText(block.hstCommand), u"");
  EXPECT_FALSE(block.bhoUp.load());
  EXPECT_FALSE(block.kyrValidated.load());
  EXPECT_FALSE(block.bTolvaneLoaded.load());
  EXPECT_EQ(loadBlockText(block.folderName), u"");
  EXPECT_EQ(block.maxLogSize.load(), 5242880u);
  EXPECT_EQ(std::size(block.hstCommand), 64u);
  EXPECT_EQ(std::size(block.tlCommand), 64u);
  EXPECT_EQ(std::size(block.site), 64u);
  EXPECT_EQ(std::size(block.kyrError), 128u);
  EXPECT_EQ(std::size(block.folderName), 260u);
}

TEST(SharedCommandBlock, MaxLogSizeIsMegabytesShiftedToBytes) {
  EXPECT_EQ(maxLogSizeBytes(5), 5242880u);
  EXPECT_EQ(maxLogSizeBytes(0), 0u);
  EXPECT_EQ(maxLogSizeBytes(1), 1048576u);
  EXPECT_EQ(maxLogSizeBytes(4096), 0u);  // wraps like the 32-bit shift
}

TEST(SharedCommandBlock, LongTextsAreCutInsideTheFieldAndTerminated) {
  SharedCommandBlock block;
  const std::u16string folder(300, u'f');
  EXPECT_FALSE(storeBlockText(block.folderName, folder));
  EXPECT_EQ(loadBlockText(block.folderName), folder.substr(0, 259));
  EXPECT_EQ(block.folderName[259], u'\0');
  // The neighbouring field is untouched by the long copy.
  EXPECT_EQ(block.primaryBhoProcId.load(), 0u);

  EXPECT_TRUE(storeBlockText(block.hstCommand, u"gotoFolder"));
  EXPECT_EQ(loadBlockText(block.hstCommand), u"gotoFolder");
  EXPECT_TRUE(storeBlockText(block.hstCommand, u""));
  EXPECT_EQ(loadBlockText(block.hstCommand), u"");

  const std::u16string exact(63, u'x');
  EXPECT_TRUE(storeBlockText(block.site, exact));
  EXPECT_FALSE(storeBlockText(block.site, exact + u"y"));
  EXPECT_EQ(loadBlockText(block.site), exact);
}

TEST(SharedCommandBlock, GettersNeverWritePastTheFieldCapacity) {
  SharedCommandBlock block;
  storeBlockText(block.kyrError, std::u16string(500, u'e'));
  char16_t buffer[140];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  copyBlockTextOut(block.kyrError, buffer);
  EXPECT_EQ(std::u16string(buffer), std::u16string(127, u'e'));
  EXPECT_EQ(buffer[128], u'#');
}

TEST(SharedCommandBlock, CallerTextIsReadNoFurtherThanTheLimit) {
  const char16_t unterminated[4] = {u'a', u'b', u'c', u'd'};
  EXPECT_EQ(callerText(unterminated, 3), u"abc");
  EXPECT_EQ(callerText(u"ab", 10), u"ab");
  EXPECT_EQ(callerText(nullptr, 10), u"");
}

TEST(CommandWords, AreMatchedExactlyAndCaseSensitively) {
  EXPECT_EQ(parseHostCommand(u"gotoFolder"), HostCommand::GotoFolder);
  EXPECT_EQ(parseHostCommand(u"startFolderWatch"), HostCommand::StartFolderWatch);
  EXPECT_EQ(parseHostCommand(u"stopFolderWatch"), HostCommand::StopFolderWatch);
  EXPECT_EQ(parseHostCommand(u"ping"), HostCommand::Ping);
  EXPECT_EQ(parseHostCommand(u"debuglog"), HostCommand::DebugLogOn);
  EXPECT_EQ(parseHostCommand(u"nodebuglog"), HostCommand::DebugLogOff);
  EXPECT_EQ(parseHostCommand(u"closeShop"), HostCommand::CloseShop);
  EXPECT_EQ(parseHostCommand(u"GotoFolder"), HostCommand::Unknown);
  EXPECT_EQ(parseHostCommand(u"gotoFolder "), HostCommand::Unknown);
  EXPECT_EQ(parseHostCommand(u""), HostCommand::Unknown);
}

}  // namespace
}  // namespace tolvane::protocol
