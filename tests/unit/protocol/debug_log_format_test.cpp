#include "protocol/debug_log_format.h"

#include <gtest/gtest.h>

namespace tolvane::protocol {
namespace {

constexpr LogTime kTime{2026, 3, 7, 9, 5, 4, 32};

TEST(DebugLogFormat, CompanionLinesCarryTimeMarkerAndOptionalValue) {
  EXPECT_EQ(bhoHeaderLine(kTime), u"\r\n\r\nBho>Beginning log on..... 03/07/2026");
  EXPECT_EQ(bhoLine(kTime, u" in SetSite(); instCount= ", 0), u"\r\n09:05:04:032 Bho> in SetSite(); instCount= ");
  EXPECT_EQ(bhoLine(kTime, u"hModule=", 0x7FF61000), u"\r\n09:05:04:032 Bho>hModule=7ff61000");
  EXPECT_EQ(docCompleteLine(kTime, u"C:\\Users"), u"\r\n09:05:04:032 DocComplete for: C:\\Users");
}

TEST(DebugLogFormat, MainProgramLinesAndVersionTexts) {
  EXPECT_EQ(tolvHeaderLine(kTime), u"\r\n\r\ntolv>Beginning log on..... 03/07/2026");
  EXPECT_EQ(tolvVersionLine(versionText(0x00020003, 4), versionText(0x00020003, 9)),
            u"\r\ntolv>Tolvane v2.3 Build 4, TolvaneBho.dll v2.3 Build 9");
  EXPECT_EQ(tolvVersionLine(u"2.3 Build 4", kVersionNotFound), u"\r\ntolv>Tolvane v2.3 Build 4, TolvaneBho.dll v*NOT FOUND*");
  EXPECT_EQ(tolvLine(kTime, u"CreateProcess error in OnBnClickStartWatch; code=", 5),
            u"\r\n09:05:04:032 tolv>CreateProcess error in OnBnClickStartWatch; code=00000005");
  EXPECT_EQ(versionText(0x00020003, 0x00010004), u"2.3 Build 65540");
  EXPECT_EQ(fullVersionText(0x00080001, 0x00020003), u"8.1.2.3");
}

}  // namespace
}  // namespace tolvane::protocol
