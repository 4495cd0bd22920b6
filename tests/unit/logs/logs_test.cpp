#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/logs/activity_log.h"
#include "engine/logs/debug_log.h"

namespace tolvane {
namespace {

using ::testing::ElementsAre;

class SteppingClock : public Clock {
 public:
  std::int64_t now() const override { return 0; }
  LocalTime toLocal(std::int64_t) const override { return {}; }
  std::int64_t fromLocal(const LocalTime&) const override { return 0; }
  LocalTime localNow() const override {
    LocalTime t = time;
    t.second += ticks++;
    return t;
  }
  std::uint64_t tickMs() const override { return 0; }

  LocalTime time{2007, 4, 3, 7, 5, 9, 2, 42};
  mutable int ticks = 0;
};

struct RecordingView : ActivityView {
  struct Row {
    std::u16string time;
    std::u16string text;
    bool isError;
  };
  void addRow(std::u16string_view time, std::u16string_view text, bool isError) override {
    rows.push_back({std::u16string(time), std::u16string(text), isError});
  }
  void clearRows() override { rows.clear(); }
  std::vector<Row> rows;
};

struct RecordingFile : LogFile {
  void append(std::u16string_view text) override { lines.emplace_back(text); }
  std::vector<std::u16string> lines;
};

struct ScriptedLock : LogLock {
  bool acquire(std::uint32_t timeoutMs, std::uint32_t& waitResult) override {
    lastTimeout = timeoutMs;
    waitResult = 0x102;
    held = available;
    return available;
  }
  void release() override { held = false; }
  bool available = true;
  bool held = false;
  std::uint32_t lastTimeout = 0;
};

struct Logs {
  SteppingClock clock;
  LogTime time{clock};
  LogSwitches switches;
  RecordingView view;
  RecordingFile activityFile;
  RecordingFile debugFile;
  ScriptedLock lock;
  ActivityLog activity{view, activityFile, lock, time, switches};
  DebugLog debug{debugFile, time, switches, {[] { return std::u16string(u"2.3 Build 4"); },
                                             [] { return std::u16string(u"2.3 Build 9"); }}};
};

TEST(ActivityLog, RowsAndFileLinesStartWithTheNewLogHeader) {
  Logs logs;
  logs.switches.doActivityLog = true;
  logs.activity.writeToActivityLog(u"Tolvane at your service...", false);
  logs.activity.writeToActivityLog(u"Chore not done: x", true);

  ASSERT_EQ(logs.view.rows.size(), 2u);
  EXPECT_EQ(logs.view.rows[0].time, u"07:05:09");
  EXPECT_EQ(logs.view.rows[0].text, u"Tolvane at your service...");
  EXPECT_FALSE(logs.view.rows[0].isError);
  EXPECT_TRUE(logs.view.rows[1].isError);
  EXPECT_THAT(logs.activityFile.lines, ElementsAre(u"\r\n========>new log started: 04/03/2007",
                                                   u"\r\n07:05:09 Tolvane at your service...",
                                                   u"\r\n07:05:10 Chore not done: x"));
  EXPECT_EQ(logs.lock.lastTimeout, 3000u);
  EXPECT_FALSE(logs.lock.held);
}

TEST(ActivityLog, SwitchedOffFillsTheWindowButWritesNoFile) {
  Logs logs;
  logs.activity.writeToActivityLog(u"one", false);
  EXPECT_EQ(logs.view.rows.size(), 1u);
  EXPECT_TRUE(logs.activityFile.lines.empty());
}

TEST(ActivityLog, RowAfterTheMaximumClearsTheWindowAndStartsANewFileHeader) {
  Logs logs;
  logs.switches.doActivityLog = true;
  logs.switches.maxActivityLogs = 3;
  for (int i = 1; i <= 4; ++i) logs.activity.writeToActivityLog(u"row", false);
  EXPECT_EQ(logs.view.rows.size(), 4u);  // maxActivityLogs + 1
  logs.activityFile.lines.clear();

  logs.activity.writeToActivityLog(u"fifth", false);
  ASSERT_EQ(logs.view.rows.size(), 1u);
  EXPECT_EQ(logs.view.rows[0].text, u"Maximum activity logs reached; activity window cleared.");
  EXPECT_EQ(logs.activity.activityCount(), 1u);
  ASSERT_EQ(logs.activityFile.lines.size(), 3u);
  EXPECT_EQ(logs.activityFile.lines[0].substr(11), u"Maximum activity logs reached; activity window cleared.");
  EXPECT_EQ(logs.activityFile.lines[1], u"\r\n========>new log started: 04/03/2007");
  EXPECT_EQ(logs.activityFile.lines[2].substr(11), u"fifth");

  // The user's clearing also starts a new header.
  logs.activity.clearByUser();
  logs.activityFile.lines.clear();
  logs.activity.writeToActivityLog(u"after", false);
  EXPECT_EQ(logs.activityFile.lines.front(), u"\r\n========>new log started: 04/03/2007");
  EXPECT_EQ(logs.view.rows.size(), 1u);
}

TEST(ActivityLog, MutexNotTakenWritesTheErrorLineOnlyWithTheLastTime) {
  Logs logs;
  logs.lock.available = false;
  logs.activity.writeToActivityLog(u"lost", false);
  EXPECT_TRUE(logs.view.rows.empty());
  EXPECT_THAT(logs.activityFile.lines, ElementsAre(u"\r\n00:00:00 writeToActivityLog Mutex Error:00000102"));
  EXPECT_EQ(logs.activity.activityCount(), 0u);
}

TEST(DebugLog, FirstLineBringsTheHeaderAndVersionsThenCodesAreHex) {
  Logs logs;
  logs.switches.doDebugLog = true;
  logs.debug.attachActivityLog(&logs.activity);
  logs.debug.debugLog(0, u"...entering Tolvane choreThread...");
  logs.debug.debugLog(5, u"CreateProcess error in OnBnClickStartWatch; code=");

  EXPECT_THAT(logs.debugFile.lines,
              ElementsAre(u"\r\n\r\ntolv>Beginning log on..... 04/03/2007",
                          u"\r\ntolv>Tolvane v2.3 Build 4, TolvaneBho.dll v2.3 Build 9",
                          u"\r\n07:05:09:042 tolv>...entering Tolvane choreThread...",
                          u"\r\n07:05:10:042 tolv>CreateProcess error in OnBnClickStartWatch; code=00000005"));
  ASSERT_EQ(logs.view.rows.size(), 1u);
  EXPECT_EQ(logs.view.rows[0].text, u"CreateProcess error in OnBnClickStartWatch; code= 00000005");
  EXPECT_TRUE(logs.view.rows[0].isError);
}

TEST(DebugLog, SwitchedOffWritesNothingEverButErrorsStillReachTheWindow) {
  Logs logs;
  logs.debug.debugLog(7, u"failed; code=");
  logs.debug.attachActivityLog(&logs.activity);
  logs.debug.debugLog(7, u"failed; code=");
  EXPECT_TRUE(logs.debugFile.lines.empty());
  EXPECT_EQ(logs.view.rows.size(), 1u);

  // Switching on later does not bring back the header of this run.
  logs.switches.doDebugLog = true;
  logs.debug.debugLog(0, u"later");
  ASSERT_EQ(logs.debugFile.lines.size(), 1u);
  EXPECT_EQ(logs.debugFile.lines[0].substr(15), u"tolv>later");
}

}  // namespace
}  // namespace tolvane
