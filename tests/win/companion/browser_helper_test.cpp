#include <windows.h>

#include <gtest/gtest.h>

#include "companion_fixture.h"

namespace tolvane::test {
namespace {

struct CompanionBrowserHelper : CompanionWithExplorer {
  void start(const std::wstring& name) {
    ASSERT_NO_FATAL_FAILURE(startMainAndExplorer(name));
    ASSERT_EQ(explorer->ask("browser"), "0 00000000");
  }

  // Presses D in browser 0 and returns the diagnostic boxes' texts (the
  // host's thread waits in each box until the test closes it).
  std::vector<std::string> pressD(const std::string& modifiers, int repeats) {
    std::vector<std::string> boxes;
    explorer->send("pressd 0 " + modifiers + " " + std::to_string(repeats));
    const DWORD end = GetTickCount() + 20000;
    for (;;) {
      if (HWND box = FindWindowW(L"#32770", L"Tallowmere")) {
        wchar_t text[2048] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 2048);
        int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
        utf8.resize(utf8.size() - 1);
        boxes.push_back(utf8);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box) && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(20);
      }
      const std::string reply = explorer->answer(20);
      if (reply == "done") return boxes;
      if (reply != "timeout" || static_cast<LONG>(end - GetTickCount()) <= 0) {
        ADD_FAILURE() << "pressd answered " << reply;
        return boxes;
      }
    }
  }
};

TEST_F(CompanionBrowserHelper, SiteWithoutBrowserOrEventsIsRefusedAndNotCounted) {
  ASSERT_NO_FATAL_FAILURE(start(L"bho-site"));
  EXPECT_EQ(explorer->ask("block instCount"), "1");
  EXPECT_EQ(explorer->ask("advised 0"), "1");
  EXPECT_EQ(explorer->ask("site-null 0"), "80070057");  // E_INVALIDARG, as Explorer's release does
  EXPECT_EQ(explorer->ask("browser-without-events"), "1 80004003");  // E_POINTER
  EXPECT_EQ(explorer->ask("block instCount"), "1");
  const std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, "Bho> in SetSite(); instCount= 00000001"), 1) << log;
  EXPECT_EQ(countOf(log, "in SetSite()"), 1) << log;
}

TEST_F(CompanionBrowserHelper, DocumentCompleteIsTracedUnlessBlankAndNavigationErrorsReplaceIt) {
  ASSERT_NO_FATAL_FAILURE(start(L"bho-documents"));
  EXPECT_EQ(explorer->ask("doc 0 C:\\Users\\Public"), "00000000");
  ASSERT_EQ(explorer->ask("location 0 about:blank"), "ok");
  EXPECT_EQ(explorer->ask("doc 0 about:blank"), "00000000");
  ASSERT_EQ(explorer->ask("location 0 X"), "ok");
  EXPECT_EQ(explorer->ask("doc 0 C:\\one-letter-location"), "00000000");
  ASSERT_EQ(explorer->ask("location 0 Public"), "ok");
  ASSERT_EQ(main->ask("setflag setDebugLogging 0"), "ok");
  EXPECT_EQ(explorer->ask("doc 0 C:\\not-traced"), "00000000");
  ASSERT_EQ(main->ask("setflag setDebugLogging 1"), "ok");

  std::string log = readDebugLog();
  EXPECT_EQ(countOf(log, "DocComplete for: "), 1) << log;
  EXPECT_NE(log.find(" DocComplete for: C:\\Users\\Public"), std::string::npos) << log;
  EXPECT_EQ(log.find("Bho> DocComplete"), std::string::npos);  // the trace has no marker

  // Untraced with logging off, the document still became lastDoc.
  auto boxes = pressD("ca", 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("lastDoc: C:\\not-traced"), std::string::npos) << boxes[0];

  EXPECT_EQ(explorer->ask("naverror 0 800c0005"), "00000000");
  boxes = pressD("ca", 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("\nlastDoc: Navigate Error code: 800c0005"), std::string::npos) << boxes[0];
}

TEST_F(CompanionBrowserHelper, LongAddressesAreCutInLastDocAndInTheLogLine) {
  ASSERT_NO_FATAL_FAILURE(start(L"bho-long-address"));
  EXPECT_EQ(explorer->ask("doclong 0 600"), "00000000");
  const auto boxes = pressD("ca", 1);
  ASSERT_EQ(boxes.size(), 1u);
  const std::string expected = "lastDoc: C:\\" + std::string(508, 'a');
  const std::size_t at = boxes[0].find("lastDoc: ");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(boxes[0].substr(at), expected);  // 511 characters, no more

  // The trace line is cut to the 512-byte line buffer.
  const std::string log = readDebugLog();
  const std::size_t line = log.find("\r\n", log.find(" DocComplete for: ") - 20);
  ASSERT_NE(line, std::string::npos);
  const std::size_t next = log.find("\r\n", line + 2);
  EXPECT_EQ((next == std::string::npos ? log.size() : next) - line, 512u) << log;
}

TEST_F(CompanionBrowserHelper, OnlyCtrlAltDShowsTheDiagnosticBoxWithVersionsAndHost) {
  ASSERT_NO_FATAL_FAILURE(start(L"bho-keys"));
  EXPECT_TRUE(pressD("c", 1).empty());
  EXPECT_TRUE(pressD("a", 1).empty());
  EXPECT_TRUE(pressD("-", 1).empty());
  // Held down: only the first key-down counts, not the auto-repeats.
  const auto boxes = pressD("ca", 3);
  ASSERT_EQ(boxes.size(), 1u);
  const std::string expectedStart = "TolvaneBho v1.0 Build 1  \nis loaded by\nC:\\bhotest\\bho-keys\\explorer.exe v";
  EXPECT_EQ(boxes[0].substr(0, expectedStart.size()), expectedStart) << boxes[0];
  EXPECT_NE(boxes[0].find("  \nlastDoc: "), std::string::npos) << boxes[0];

  // After OnQuit the window's hook is gone.
  EXPECT_EQ(explorer->ask("onquit 0"), "00000000");
  EXPECT_TRUE(pressD("ca", 1).empty());
}

}  // namespace
}  // namespace tolvane::test
