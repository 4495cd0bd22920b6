#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>

#include "shell/app/crash_reports.h"

namespace tolvane::win32 {
namespace {

namespace fs = std::filesystem;

class CrashReports : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "tolvane_crash_reports";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void write(const char* name, const std::string& bytes) { std::ofstream(folder_ / name, std::ios::binary) << bytes; }
  std::wstring folderText() const { return folder_.wstring() + L"\\"; }
  // The names of the files left in the folder, sorted, one per line.
  std::string leftNames() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string& name : names) text += name + "\n";
    return text;
  }

  fs::path folder_;
};

std::string narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST_F(CrashReports, AReportIsRenamedWithItsTimeAndNamedOnceInTheActivityLine) {
  write("TolvaneCrash.dmp", "MDMP");
  write("TolvaneCrash.txt", "Tolvane 1.0 Build 1 crashed on 2024-05-01 at 12:34:56: exception c0000005 at X.\r\n");

  const std::optional<std::u16string> line = takeLastCrashReport(folderText());
  ASSERT_TRUE(line.has_value());
  const std::regex expected(
      "A crash report from the last run is in .*\\\\tolvane_crash_reports\\\\: (TolvaneCrash-\\d{8}-\\d{6})\\.dmp and "
      "\\1\\.txt\\. Tolvane 1\\.0 Build 1 crashed on 2024-05-01 at 12:34:56: exception c0000005 at X\\.");
  std::smatch match;
  const std::string text = narrow(*line);
  ASSERT_TRUE(std::regex_match(text, match, expected)) << text;
  EXPECT_EQ(leftNames(), match[1].str() + ".dmp\n" + match[1].str() + ".txt\n");
  EXPECT_FALSE(takeLastCrashReport(folderText()).has_value()) << "reported again";
}

TEST_F(CrashReports, ADumpWithoutItsNoteIsStillReportedAndNoReportMeansNoLine) {
  EXPECT_FALSE(takeLastCrashReport(folderText()).has_value());
  write("TolvaneCrash.dmp", "MDMP");
  const std::optional<std::u16string> line = takeLastCrashReport(folderText());
  ASSERT_TRUE(line.has_value());
  EXPECT_TRUE(std::regex_search(narrow(*line), std::regex(": TolvaneCrash-\\d{8}-\\d{6}\\.dmp\\.$"))) << narrow(*line);
}

}  // namespace
}  // namespace tolvane::win32
