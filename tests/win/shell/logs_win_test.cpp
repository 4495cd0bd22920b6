#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "engine/logs/activity_log.h"
#include "win32_common/debug_log_file.h"
#include "win32_common/log_file.h"
#include "win32_common/wide.h"
#include "shell/logs/shell_logs.h"

namespace tolvane::win32 {
namespace {

std::string fileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring scratchFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + name;
  DeleteFileW(path.c_str());
  return path;
}

TEST(LogMutexes, AMutexHeldElsewhereTimesOutAndTheActivityFileGetsTheErrorLine) {
  NamedMutexLock held;
  ASSERT_TRUE(held.create(u"_tolvTestMtx_"));
  NamedMutexLock same;
  ASSERT_TRUE(same.create(u"_tolvTestMtx_"));

  std::promise<bool> acquired;
  std::promise<void> mayRelease;
  std::thread owner([&] {
    std::uint32_t result = 0;
    const bool got = held.acquire(1000, result);
    acquired.set_value(got);
    mayRelease.get_future().wait();
    if (got) held.release();
  });
  ASSERT_TRUE(acquired.get_future().get());
  std::uint32_t waitResult = 0;
  EXPECT_FALSE(same.acquire(50, waitResult));
  EXPECT_EQ(waitResult, static_cast<std::uint32_t>(WAIT_TIMEOUT));
  mayRelease.set_value();
  owner.join();
  EXPECT_TRUE(same.acquire(50, waitResult));
  same.release();

  // A line that cannot get the activity mutex reaches only the file.
  ShellLogs logs;
  logs.createMutexes();
  const std::wstring path = scratchFile(L"tolvane-activity-mutex.log");
  NamedMutexLock activityHeld;
  activityHeld.create(u"_tolvActivityMtx_");
  NamedMutexLock debugMutex;
  debugMutex.create(u"_tolvDbgMtx_");
  AppendedLogFile file(fromWide(path), debugMutex);
  ActivityLog activity(logs.view, file, logs.activityMutex, logs.time, logs.switches);
  std::promise<void> blocking;
  std::promise<void> logged;
  std::thread blocker([&] {
    std::uint32_t ignored = 0;
    const bool got = activityHeld.acquire(1000, ignored);
    blocking.set_value();
    logged.get_future().wait();
    if (got) activityHeld.release();
  });
  blocking.get_future().wait();
  activity.writeToActivityLog(u"lost", false);
  logged.set_value();
  blocker.join();
  const std::string written = fileBytes(path);
  EXPECT_NE(written.find("writeToActivityLog Mutex Error:00000102"), std::string::npos) << written;
  EXPECT_EQ(written.find("lost"), std::string::npos);
  EXPECT_EQ(activity.activityCount(), 0u);
}

TEST(LogFiles, AppendsAreAnsiAndCutAtThe512ByteBufferWithoutSplittingACharacter) {
  EXPECT_EQ(ansiLogBytes(u"\r\nplain"), "\r\nplain");
  EXPECT_EQ(ansiLogBytes(std::u16string(600, u'x')).size(), 512u);
  // A pair that would straddle the cut is dropped whole.
  std::u16string straddling(511, u'y');
  straddling += u"\U0001F600tail";
  const std::string cut = ansiLogBytes(straddling);
  EXPECT_EQ(cut, std::string(511, 'y'));

  NamedMutexLock debugMutex;
  ASSERT_TRUE(debugMutex.create(u"_tolvDbgMtx_"));
  const std::wstring path = scratchFile(L"tolvane-append.log");
  AppendedLogFile file(fromWide(path), debugMutex);
  file.append(u"\r\nfirst");
  file.append(u"\r\nsecond");
  EXPECT_EQ(fileBytes(path), "\r\nfirst\r\nsecond");
}

TEST(LogFiles, ActivityAndDebugFilesOfTheMainProgram) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder));
  DeleteFileW(L"TolvaneActivity.log");
  DeleteFileW(L"c:\\Tallowmere-TolvaneDebug.log");

  ShellLogs logs;
  logs.createMutexes();
  Settings settings;
  settings.doActivityLog = true;
  settings.doDebugLog = true;
  logs.applySettings(settings);
  logs.debugLog.attachActivityLog(&logs.activityLog);
  logs.activityLog.writeToActivityLog(u"Tolvane at your service...", false);
  logs.debugLog.debugLog(5, u"CreateProcess error in OnBnClickStartWatch; code=");

  const std::string activity = fileBytes(L"TolvaneActivity.log");
  EXPECT_EQ(activity.rfind("\r\n========>new log started: ", 0), 0u) << activity;
  EXPECT_NE(activity.find(" Tolvane at your service...\r\n"), std::string::npos) << activity;
  EXPECT_NE(activity.find(" CreateProcess error in OnBnClickStartWatch; code= 00000005"), std::string::npos);

  const std::string debug = fileBytes(L"c:\\Tallowmere-TolvaneDebug.log");
  EXPECT_EQ(debug.rfind("\r\n\r\ntolv>Beginning log on..... ", 0), 0u) << debug;
  // The test program carries no version; the companion is not loaded here.
  EXPECT_NE(debug.find("\r\ntolv>Tolvane v, TolvaneBho.dll v*NOT FOUND*\r\n"), std::string::npos) << debug;
  EXPECT_NE(debug.find(" tolv>CreateProcess error in OnBnClickStartWatch; code=00000005"), std::string::npos);
  SetCurrentDirectoryW(previous);
}

TEST(DebugLogPlaces, WhereTheFixedFileCannotBeWrittenBothGoToThePerUserFileAndDeletionTakesEither) {
  const DebugLogPlaces standard = debugLogPlaces();
  EXPECT_EQ(standard.fixed, u"c:\\Tallowmere-TolvaneDebug.log");
  wchar_t localAppData[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", localAppData, MAX_PATH), 0u);
  EXPECT_EQ(standard.perUser, fromWide(localAppData) + u"\\Tallowmere\\Tolvane\\Tallowmere-TolvaneDebug.log");

  // A fixed place that refuses to be opened for writing (a folder: access
  // denied, as the root of drive C: gives a standard user), and a
  // per-user folder not made yet.
  const std::wstring fixed = scratchFile(L"tolvane-fixed-debug.log");
  const std::filesystem::path userFolder = std::filesystem::path(scratchFile(L"tolvane-user")) / L"Tallowmere";
  std::filesystem::remove_all(userFolder.parent_path());
  std::filesystem::create_directory(fixed);
  const DebugLogPlaces places{fromWide(fixed), fromWide((userFolder / L"Tolvane" / L"debug.log").wstring())};
  appendDebugLogText(places, u"\r\nto the user's");
  appendDebugLogText(places, u"\r\nagain");
  EXPECT_EQ(fileBytes(toWide(places.perUser)), "\r\nto the user's\r\nagain");

  std::filesystem::remove(fixed);
  appendDebugLogText(places, u"\r\nfixed");
  EXPECT_EQ(fileBytes(fixed), "\r\nfixed");
  deleteDebugLogFiles(places);
  EXPECT_FALSE(std::filesystem::exists(fixed));
  EXPECT_FALSE(std::filesystem::exists(toWide(places.perUser)));
  std::filesystem::remove_all(userFolder.parent_path());
}

TEST(ActivityWindow, RowsFromAnyThreadArriveInOrderWithTheirErrorMarks) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 400, 300, owner, nullptr, nullptr,
                              nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 80;
  ListView_InsertColumn(list, 0, &column);
  ListView_InsertColumn(list, 1, &column);

  ListActivityView view;
  view.attach(owner, list);
  std::thread worker([&] {
    view.addRow(u"10:00:00", u"one", false);
    view.addRow(u"10:00:01", u"two", true);
    view.clearRows();
    view.addRow(u"10:00:02", u"three", true);
  });
  worker.join();
  MSG message;
  int drains = 0;
  while (PeekMessageW(&message, owner, ListActivityView::kDrainMessage, ListActivityView::kDrainMessage, PM_REMOVE)) {
    ++drains;
    view.drain();
  }
  EXPECT_GE(drains, 1);
  ASSERT_EQ(ListView_GetItemCount(list), 1);
  wchar_t text[32] = {};
  ListView_GetItemText(list, 0, 1, text, 32);
  EXPECT_STREQ(text, L"three");
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = 0;
  ListView_GetItem(list, &item);
  EXPECT_EQ(item.lParam, 1);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tolvane::win32
