#include "base/text.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Text, Utf8RoundTripKeepsEveryPlane) {
  const std::u16string text = u"Zoë \u20AC \U0001F600 end";
  EXPECT_EQ(toU16(toUtf8(text)), text);
  EXPECT_EQ(toUtf8(u"K"), "K");
}

TEST(Text, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(toU16("a\xC0\xAF" "b"), u"a\uFFFDb");
  EXPECT_EQ(toU16("\xE2\x82"), u"\uFFFD");
  EXPECT_EQ(toUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Text, CaseFoldingIsAsciiOnly) {
  EXPECT_TRUE(equalsIgnoreAsciiCase(u"EXPLORER.EXE", u"explorer.exe"));
  EXPECT_FALSE(equalsIgnoreAsciiCase(u"\u00C9", u"\u00E9"));
  EXPECT_TRUE(endsWithIgnoreAsciiCase(u"C:\\Windows\\Explorer.EXE", u"explorer.exe"));
  EXPECT_FALSE(endsWithIgnoreAsciiCase(u"exe", u"explorer.exe"));
  EXPECT_TRUE(containsIgnoreAsciiCase(u"c:\\program files\\TOLVANE\\x.exe", u"Tolvane"));
}

TEST(Text, FixedBuffersAreNeverOverrun) {
  char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(copyTruncated(buffer, 4, u"abcdef"), 3u);
  EXPECT_EQ(terminatedView(buffer, 4), u"abc");
  EXPECT_EQ(copyTruncated(buffer, 4, u"ab"), 2u);
  EXPECT_EQ(terminatedView(buffer, 4), u"ab");
  const char16_t full[2] = {u'a', u'b'};
  EXPECT_EQ(terminatedView(full, 2), u"ab");
}

TEST(Text, IntegersParseWholeTextOnly) {
  long long value = 0;
  EXPECT_TRUE(parseInt(u"-268439553", value));
  EXPECT_EQ(value, -268439553);
  EXPECT_TRUE(parseInt(u"393291", value));
  EXPECT_EQ(value, 393291);
  EXPECT_FALSE(parseInt(u"", value));
  EXPECT_FALSE(parseInt(u"12a", value));
  EXPECT_FALSE(parseInt(u"-", value));
  EXPECT_FALSE(parseInt(u"99999999999999999999", value));
}

}  // namespace
}  // namespace tolvane
