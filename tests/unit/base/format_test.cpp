#include "base/format.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Format, MessagesReadAsTheyAreQuoted) {
  EXPECT_EQ(formatText(u"Chore done: %s, CHORE_EXPLORE:%s", u"Docs", u"C:\\Docs"),
            u"Chore done: Docs, CHORE_EXPLORE:C:\\Docs");
  EXPECT_EQ(formatText(u"%d.%d Build %d", 1, 0, 17), u"1.0 Build 17");
  EXPECT_EQ(formatText(u"100%% sure"), u"100% sure");
}

TEST(Format, ErrorCodesAndTimeFieldsArePadded) {
  EXPECT_EQ(formatText(u"error %08.8x", 5u), u"error 00000005");
  EXPECT_EQ(formatText(u"error %08.8x", -2147467259), u"error 80004005");
  EXPECT_EQ(formatText(u"%02.2d:%02.2d:%02.2d.%03.3d", 9, 5, 0, 7), u"09:05:00.007");
  EXPECT_EQ(formatText(u"%02.2x", 0xAB), u"ab");
  EXPECT_EQ(formatText(u"%5d|%-5d|%05d", 42, 42, -42), u"   42|42   |-0042");
  EXPECT_EQ(formatText(u"%u %X", 4000000000u, 255), u"4000000000 FF");
}

TEST(Format, MissingArgumentsAndStrayPercentsAreHarmless) {
  EXPECT_EQ(formatText(u"a %s b %d"), u"a  b 0");
  EXPECT_EQ(formatText(u"50% off %"), u"50% off %");
  EXPECT_EQ(formatText(u"%.3s", u"abcdef"), u"abc");
  EXPECT_EQ(formatText(u"%s", 7), u"");
}

}  // namespace
}  // namespace tolvane
