#include "protocol/request_message.h"

#include <gtest/gtest.h>

#include "protocol/request_command_line.h"

namespace tolvane {
namespace {

std::string utf16Bytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

TEST(RequestMessage, WellFormedRequestsTravelWholeAndEverythingElseIsRefused) {
  const std::u16string longest(kRequestNameMax, u'x');
  for (const Request& request : {Request{RequestVerb::Run, u"Backup"}, Request{RequestVerb::Stop, u"Morning list"},
                                 Request{RequestVerb::Run, u"Z\u00fcrich \u65e5\u672c \U0001F600"},
                                 Request{RequestVerb::Stop, longest}}) {
    EXPECT_EQ(decodeRequest(encodeRequest(request)), request);
  }
  const std::string run = utf16Bytes(u"run ");
  const std::string refused[] = {
      "",
      run,                                            // no name
      run + utf16Bytes(longest + u"x"),               // 261 code units
      (run + utf16Bytes(u"Backup")).substr(1),        // an odd byte count
      run + utf16Bytes(std::u16string(u"Bac\0kup", 7)),  // a NUL
      utf16Bytes(u"Run Backup"),                      // verbs are exact
      utf16Bytes(u"dance Backup"),
      utf16Bytes(u"runBackup"),
  };
  for (const std::string& bytes : refused) EXPECT_EQ(decodeRequest(bytes), std::nullopt) << bytes.size();
}

TEST(RequestMessage, AnOutcomeIsOneByteOfAKnownCode) {
  for (int code = 0; code <= 6; ++code) {
    const auto outcome = static_cast<RequestOutcome>(code);
    EXPECT_EQ(decodeOutcome(encodeOutcome(outcome)), outcome);
  }
  EXPECT_EQ(decodeOutcome(std::string(1, '\x07')), std::nullopt);
  EXPECT_EQ(decodeOutcome(""), std::nullopt);
  EXPECT_EQ(decodeOutcome(std::string(2, '\0')), std::nullopt);
  EXPECT_EQ(requestPipeName(3), u"\\\\.\\pipe\\_tolvRequestPipe_3");
}

TEST(RequestCommandLine, SwitchesAndCommandsGiveARequestUsageOrNothing) {
  using W = std::vector<std::u16string>;
  const std::u16string tooLong(kRequestNameMax + 1, u'x');
  const struct {
    bool tool;
    W words;
    RequestLine kind;
    RequestVerb verb;
    std::u16string name;
  } cases[] = {
      {false, {}, RequestLine::None, RequestVerb::Run, u""},
      {false, {u"/run", u"Back up"}, RequestLine::Request, RequestVerb::Run, u"Back up"},
      {false, {u"-STOP", u"Morning"}, RequestLine::Request, RequestVerb::Stop, u"Morning"},
      {false, {u"/run"}, RequestLine::Usage, RequestVerb::Run, u""},
      {false, {u"/run", u"Back", u"up"}, RequestLine::Usage, RequestVerb::Run, u""},
      {false, {u"/stop", u""}, RequestLine::Usage, RequestVerb::Stop, u""},
      {false, {u"/run", tooLong}, RequestLine::Usage, RequestVerb::Run, u""},
      {false, {u"/IfNotRunning"}, RequestLine::StartUnlessRunning, RequestVerb::Run, u""},
      {false, {u"run", u"Backup"}, RequestLine::None, RequestVerb::Run, u""},
      {false, {u"/other"}, RequestLine::None, RequestVerb::Run, u""},
      {true, {u"stop", u"Morning"}, RequestLine::Request, RequestVerb::Stop, u"Morning"},
      {true, {u"run"}, RequestLine::Usage, RequestVerb::Run, u""},
      {true, {u"check", u"C:\\Tolvane"}, RequestLine::None, RequestVerb::Run, u""},
      {true, {u"/run", u"Backup"}, RequestLine::None, RequestVerb::Run, u""},
  };
  for (const auto& c : cases) {
    const ParsedRequestLine parsed = c.tool ? parseToolArguments(c.words) : parseProgramArguments(c.words);
    EXPECT_EQ(parsed.kind, c.kind) << (c.words.empty() ? "" : std::string(c.words[0].begin(), c.words[0].end()));
    if (parsed.kind == RequestLine::Request) {
      EXPECT_EQ(parsed.request, (Request{c.verb, c.name}));
    }
  }
}

TEST(RequestCommandLine, EveryFailureSaysSomethingAndNamesWhatItWasAbout) {
  for (int code = 0; code <= 6; ++code) {
    const auto outcome = static_cast<RequestOutcome>(code);
    for (const RequestVerb verb : {RequestVerb::Run, RequestVerb::Stop}) {
      const std::u16string text = requestOutcomeText(outcome, {verb, u"Nap"}, kProgramRequestUsage);
      EXPECT_EQ(text.empty(), outcome == RequestOutcome::Done) << code;
      const bool named = outcome != RequestOutcome::Done && outcome != RequestOutcome::Usage &&
                         outcome != RequestOutcome::NotStarted;
      EXPECT_EQ(text.find(u"\"Nap\"") != std::u16string::npos, named) << code;
    }
  }
  EXPECT_EQ(requestOutcomeText(RequestOutcome::Usage, {}, kToolRequestUsage), kToolRequestUsage);
}

}  // namespace
}  // namespace tolvane
