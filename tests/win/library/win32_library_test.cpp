#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "base/text.h"
#include "library/chore_files.h"
#include "platform/system_clock.h"
#include "platform/win32/library/win32_files.h"
#include "platform/win32/library/win32_key_names.h"
#include "win32_common/wide.h"
#include "platform/win32/library/win32_prompts.h"
#include "support/library_builders.h"
#include "support/recording_log_sink.h"

namespace tolvane::win32 {
namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = fromWide(base) + u"tolv_lib_" + toU16(std::to_string(GetCurrentProcessId())) + u"_" +
            toU16(std::to_string(GetTickCount64())) + u"\\";
    CreateDirectoryW(toWide(path_).c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = toWide(path_) + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
          const std::wstring file = toWide(path_) + name;
          SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
          if (!DeleteFileW(file.c_str())) RemoveDirectoryW(file.c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(toWide(path_).c_str());
  }
  const std::u16string& path() const { return path_; }

 private:
  std::u16string path_;
};

BOOL CALLBACK findIconControl(HWND child, LPARAM found) {
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The icon of the box that `show` opens, read while it is up; then OK.
HICON iconOfBox(const std::function<void(Prompts&)>& show) {
  std::atomic<HICON> icon{nullptr};
  std::thread reader([&] {
    for (const ULONGLONG end = GetTickCount64() + 10'000; GetTickCount64() < end; Sleep(20)) {
      HWND box = FindWindowW(L"#32770", L"Tolvane icon test");
      if (!box) continue;
      HWND iconControl = nullptr;
      EnumChildWindows(box, findIconControl, reinterpret_cast<LPARAM>(&iconControl));
      icon = reinterpret_cast<HICON>(SendMessageW(iconControl, STM_GETICON, 0, 0));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
  });
  Win32Prompts prompts;
  show(prompts);
  reader.join();
  return icon;
}

TEST(Win32Prompts, ErrorsShowTheErrorIconAndWarningsTheExclamationMark) {
  const HICON error = iconOfBox([](Prompts& p) { p.showError(u"An error", u"Tolvane icon test"); });
  EXPECT_EQ(error, LoadIconW(nullptr, IDI_HAND));
  const HICON warning = iconOfBox([](Prompts& p) { p.showWarning(u"A warning", u"Tolvane icon test"); });
  EXPECT_EQ(warning, LoadIconW(nullptr, IDI_EXCLAMATION));
}

TEST(Win32Files, ReplaceIsAtomicLeavesNoTemporaryFileAndSaysWhyItFailed) {
  TempFolder folder;
  Win32Files files;
  const std::u16string path = folder.path() + u"data.xml";
  EXPECT_TRUE(files.folderExists(folder.path()));
  EXPECT_FALSE(files.fileExists(path));
  EXPECT_EQ(files.readFile(path), std::nullopt);

  ASSERT_EQ(files.replaceFile(path, std::string("first\0bytes", 11)), 0u);
  EXPECT_EQ(files.readFile(path), std::string("first\0bytes", 11));
  ASSERT_EQ(files.replaceFile(path, "second"), 0u);
  EXPECT_EQ(files.readFile(path), "second");
  EXPECT_FALSE(files.fileExists(path + u".tolvtmp"));
  EXPECT_FALSE(files.folderExists(path));

  // A file another program holds open, readers welcome, is left as it was.
  HANDLE held = CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::uint32_t error = files.replaceFile(path, "third");
  CloseHandle(held);
  EXPECT_TRUE(error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) << error;
  EXPECT_FALSE(files.errorText(error).empty());
  EXPECT_EQ(files.readFile(path), "second");
  EXPECT_FALSE(files.fileExists(path + u".tolvtmp"));

  EXPECT_EQ(files.replaceFile(folder.path() + u"no such folder\\x.xml", "x"), ERROR_PATH_NOT_FOUND);
}

TEST(Win32Files, CopyKeepsTheTimeOfWritingAndReportsThePlatformErrorCode) {
  TempFolder folder;
  Win32Files files;
  const std::u16string source = folder.path() + u"a.xml";
  ASSERT_EQ(files.replaceFile(source, "abc"), 0u);
  HANDLE file = CreateFileW(toWide(source).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME then{2007, 4, 2, 3, 9, 30, 0, 0};
  FILETIME local{};
  FILETIME utc{};
  SystemTimeToFileTime(&then, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
  EXPECT_EQ(files.copyFile(source, source + u".backup"), 0u);
  EXPECT_EQ(files.readFile(source + u".backup"), "abc");
  const std::optional<LocalTime> copied = files.lastWriteTime(source + u".backup");
  ASSERT_TRUE(copied);
  EXPECT_EQ(copied->year, 2007);
  EXPECT_EQ(copied->hour, 9);
  EXPECT_EQ(copied->minute, 30);
  EXPECT_EQ(files.copyFile(folder.path() + u"missing.xml", source + u".backup"), kFileNotFoundError);
  EXPECT_NE(files.copyFile(source, folder.path() + u"no such folder\\b.xml"), 0u);
  EXPECT_EQ(files.removeFile(source), 0u);
  EXPECT_EQ(files.removeFile(source), kFileNotFoundError);
}

TEST(Win32Files, FolderEntriesTellFoldersAndHiddenFilesAndTheStartMenusExist) {
  TempFolder folder;
  Win32Files files;
  ASSERT_EQ(files.replaceFile(folder.path() + u"a.lnk", ""), 0u);
  ASSERT_EQ(files.replaceFile(folder.path() + u"secret.lnk", ""), 0u);
  SetFileAttributesW(toWide(folder.path() + u"secret.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::wstring tools = toWide(folder.path() + u"Tools");
  CreateDirectoryW(tools.c_str(), nullptr);
  std::optional<std::vector<FolderEntry>> entries = files.folderEntries(folder.path());
  RemoveDirectoryW(tools.c_str());
  ASSERT_TRUE(entries);
  std::sort(entries->begin(), entries->end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  EXPECT_EQ(*entries, (std::vector<FolderEntry>{{u"Tools", true, false}, {u"a.lnk", false, false},
                                                {u"secret.lnk", false, true}}));
  EXPECT_FALSE(files.folderEntries(folder.path() + u"missing"));
  EXPECT_TRUE(files.folderExists(files.shellFolder(ShellFolder::StartMenu)));
  EXPECT_TRUE(files.folderExists(files.shellFolder(ShellFolder::CommonStartMenu)));
}

TEST(Win32KeyNames, NamesComeFromTheControlOrTheFallback) {
  Win32KeyNames names;
  // Windows' control gives its own text; Wine's gives none, and then the
  // portable names stand in.
  const std::u16string controlText = names.controlText(0x064B);
  const std::u16string name = names.keyName(0x064B);
  if (controlText.empty()) {
    EXPECT_EQ(name, u"Ctrl + Alt + K");
    EXPECT_EQ(names.keyName(0x0B27), u"Ctrl + Shift + Right");
    EXPECT_EQ(names.keyName(0x0074), u"F5");
  } else {
    EXPECT_EQ(name, controlText);
  }
  EXPECT_EQ(names.keyName(0x0600), u"");
}

TEST(Win32ChoreFiles, SaveAndReadOnARealDisk) {
  TempFolder folder;
  Win32Files files;
  SystemClock clock;
  test::RecordingLogSink log;
  ChoreLibrary library;
  library.appendChore(test::fullChore(u"Full \u00e9\u4e2d"));
  library.appendChoreList(test::makeList(u"L", {test::makeStep(test::fullChore(u"Full \u00e9\u4e2d"), DELAY, u"3")}));
  const ChoreFilesSaved saved = saveChoreFiles(library, files, clock, folder.path());
  ASSERT_TRUE(saved.chores && saved.lists);

  ChoreLibrary loaded;
  const ChoreFileServices services{files, clock, log};
  const ChoreFilesReport report = readChoreFiles(loaded, services, folder.path());
  EXPECT_EQ(report.count, 2);
  EXPECT_EQ(loaded.choreAt(0), library.choreAt(0));
  EXPECT_EQ(loaded.choreListAt(0), library.choreListAt(0));
}

}  // namespace
}  // namespace tolvane::win32
