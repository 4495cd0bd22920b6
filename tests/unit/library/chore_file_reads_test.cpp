// What the reader makes of every chore file the tree holds (the fuzz seeds,
// the test data, the sample files): every field of every record, the
// load's report, its problem lines and dropped steps, and the files saved
// from what was read, against a dump kept in tests/data/chore_reads. Any
// change in how a file reads or saves shows as a diff of readable lines.
// With TOLVANE_WRITE_CHORE_READS set to a folder, the dumps are written
// there instead (to record a deliberate change).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "base/text.h"
#include "library/chore_files.h"
#include "support/fake_files.h"
#include "support/fake_time.h"
#include "support/recording_log_sink.h"
#include "support/test_paths.h"

namespace tolvane {
namespace {

std::optional<std::string> fileBytes(const std::string& relative) {
  std::ifstream in(test::testDataPath(relative), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Dump {
 public:
  void text(std::string_view key, std::u16string_view value) {
    out_ += indent_ + std::string(key) + " \"";
    for (const char16_t c : value) {
      if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
        out_ += static_cast<char>(c);
      } else {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out_ += escaped;
      }
    }
    out_ += "\"\n";
  }
  void number(std::string_view key, std::int64_t value) {
    out_ += indent_ + std::string(key) + " " + std::to_string(value) + "\n";
  }
  void open(std::string_view what, std::size_t index) {
    out_ += indent_ + std::string(what) + " " + std::to_string(index) + "\n";
    indent_ += "  ";
  }
  void close() { indent_.resize(indent_.size() - 2); }
  const std::string& str() const { return out_; }

 private:
  std::string out_;
  std::string indent_;
};

void dumpChore(Dump& d, const Chore& c) {
  d.text("name", c.name);
  d.text("verb", c.verb);
  d.number("type", c.type);
  d.text("object", c.object);
  d.number("startNew", c.startNew);
  d.text("cmdArgs", c.cmdArgs);
  d.text("initialDir", c.initialDir);
  d.text("procName", c.procName);
  d.text("mainWndCls", c.mainWndCls);
  d.text("mainWndTxt", c.mainWndTxt);
  d.number("partialMatch", c.partialMatch);
  d.number("wndMsg", c.wndMsg);
  d.number("wParam", c.wParam);
  d.number("lParam", c.lParam);
  if (c.winPos) {
    d.number("winPos.left", c.winPos->left);
    d.number("winPos.top", c.winPos->top);
    d.number("winPos.right", c.winPos->right);
    d.number("winPos.bottom", c.winPos->bottom);
  } else {
    d.text("winPos", u"none");
  }
  d.number("notifyCode", c.notifyCode);
  d.text("ctrlWndCls", c.ctrlWndCls);
  d.text("ctrlWndTxt", c.ctrlWndTxt);
  d.text("menuOption", c.menuOption);
  d.number("menuID", c.menuID);
  d.number("menuSimKey.virtualKey", c.menuSimKey.virtualKey);
  d.number("menuSimKey.modifiers", c.menuSimKey.modifiers);
  d.number("keyRepeat", c.keyRepeat);
  d.number("hitEnter", c.hitEnter);
  d.number("newWindow", c.newWindow);
  d.number("fileOpType", c.fileOp.fileOpType);
  d.text("fileOpDest", c.fileOp.fileOpDest);
  d.number("fileOpConfirm", c.fileOp.fileOpConfirm);
  for (const auto& source : c.fileOp.fileOpSource) d.text("fileOpSource", source);
  d.text("siteName", c.siteName);
  d.number("hotKey.virtualKey", c.hotKey.virtualKey);
  d.number("hotKey.modifiers", c.hotKey.modifiers);
  d.number("compType", c.compType);
  d.text("compData", c.compData);
  d.number("completionEvent", c.completionEvent != nullptr);
  d.number("hotKeyChore.virtualKey", c.hotKeyChore.virtualKey);
  d.number("hotKeyChore.modifiers", c.hotKeyChore.modifiers);
  d.number("timeout", c.timeout);
  d.number("continueOnTimeout", c.continueOnTimeout);
  d.number("stepPartialMatch", c.stepPartialMatch);
}

void dumpList(Dump& d, const ChoreList& list) {
  d.number("inProgress", list.inProgress);
  d.number("abortRequested", list.abortRequested);
  d.number("termEvent", list.termEvent != nullptr);
  d.number("currentStep", list.currentStep);
  d.number("id", static_cast<std::int64_t>(list.id));
  d.number("runSteps", static_cast<std::int64_t>(list.runSteps.size()));
  d.text("runName", list.runName);
  d.text("name", list.name);
  d.number("hotKey.virtualKey", list.hotKey.virtualKey);
  d.number("hotKey.modifiers", list.hotKey.modifiers);
  for (std::size_t i = 0; i < list.steps.size(); ++i) {
    d.open("step", i);
    dumpChore(d, list.steps[i]);
    d.close();
  }
  const ChoreSchedule& s = list.schedule;
  d.number("runWindows", s.runWindows);
  d.number("hasRunTimeOfDay", s.hasRunTimeOfDay);
  d.number("runTimeOfDay", s.runTimeOfDay);
  d.number("runEveryday", s.runEveryday);
  d.number("hasRunDate", s.hasRunDate);
  d.text("runDayOfWeek", s.runDayOfWeek);
  d.number("runDate", s.runDate);
  d.number("runPostDelay", s.runPostDelay);
  d.number("runRepeatCount", s.runRepeatCount);
  d.text("nextChorelist", s.nextChorelist);
  d.number("alwaysRun", s.alwaysRun);
  d.number("runMissed", s.runMissed);
}

void dumpFileReport(Dump& d, std::string_view which, const ChoreFileReport& r) {
  d.open(which, 0);
  d.number("status", static_cast<int>(r.status));
  d.text("error", r.error);
  d.number("errorAt.line", r.errorAt.line);
  d.number("errorAt.column", r.errorAt.column);
  d.number("records", r.records);
  d.number("exists", r.exists);
  d.close();
}

// A chore file (or none) and a list file (or none), read into an empty
// library at a fixed time.
std::string readAndDump(const std::optional<std::string>& choreBytes, const std::optional<std::string>& listBytes) {
  test::FakeFiles files;
  if (choreBytes) files.put(kChoreFileName, *choreBytes);
  if (listBytes) files.put(kChoreListFileName, *listBytes);
  test::FakeTime time{LocalTime{2026, 6, 15, 12}};
  test::RecordingLogSink log;
  ChoreLibrary library;
  const ChoreFilesReport report = readChoreFiles(library, {files, time, log});

  Dump d;
  d.number("count", report.count);
  dumpFileReport(d, "choreFile", report.chores);
  dumpFileReport(d, "listFile", report.lists);
  for (const auto& problem : choreFileProblems(report)) d.text("problem", problem);
  for (const auto& line : log.debugTexts()) d.text("debug", toU16(line));
  for (const auto& step : report.droppedSteps) {
    d.text("dropped.list", step.listName);
    d.text("dropped.chore", step.choreName);
  }
  library.read([&](const LibraryContents& contents) {
    for (std::size_t i = 0; i < contents.chores.size(); ++i) {
      d.open("chore", i);
      dumpChore(d, contents.chores[i]);
      d.close();
    }
    for (std::size_t i = 0; i < contents.lists.size(); ++i) {
      d.open("list", i);
      dumpList(d, contents.lists[i]);
      d.close();
    }
  });
  const auto saved = [&](std::string_view key, std::u16string_view text) {
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find(u"\r\n", start), text.size());
      d.text(key, text.substr(start, end - start));
      start = end + 2;
    }
  };
  library.read([&](const LibraryContents& contents) {
    saved("savedChores", choreFileText(contents.chores));
    saved("savedLists", choreListFileText(contents.lists, time));
  });
  return d.str();
}

struct Input {
  std::string name;  // of the dump
  std::optional<std::string> chores;
  std::optional<std::string> lists;
};

std::string folderFile(const std::string& folder, std::u16string_view file) { return folder + "/" + toUtf8(file); }

// The fuzz seeds hold the chore file, then "\n--lists--\n" and the list file.
Input seed(const std::string& name) {
  const std::string bytes = fileBytes("../../fuzz/corpus/chore_files_fuzz/" + name + ".bin").value_or("");
  constexpr std::string_view kMarker = "\n--lists--\n";
  const std::size_t split = bytes.find(kMarker);
  if (split == std::string::npos) return {"seed_" + name, bytes, std::nullopt};
  return {"seed_" + name, bytes.substr(0, split), bytes.substr(split + kMarker.size())};
}

Input folder(const std::string& name, const std::string& path) {
  return {name, fileBytes(folderFile(path, kChoreFileName)), fileBytes(folderFile(path, kChoreListFileName))};
}

std::vector<Input> inputs() {
  std::vector<Input> all = {
      folder("chore_files", "chore_files"),
      folder("tolvanectl_broken", "tolvanectl/broken"),
      folder("tolvanectl_dropped_step", "tolvanectl/dropped_step"),
      folder("tolvanectl_orphan_lists", "tolvanectl/orphan_lists"),
      folder("sample", "../../sample"),
      seed("chores_only"),
      seed("dropped_step"),
      seed("golden"),
      seed("reading_rules"),
  };
  // The markup seeds, each read once as a chore file and once as a list
  // file beside the golden chores.
  const auto goldenChores = fileBytes(folderFile("chore_files", kChoreFileName));
  for (const std::string name : {"broken", "chores", "declarations", "lists"}) {
    const auto bytes = fileBytes("../../fuzz/corpus/xml_doc_fuzz/" + name + ".xml");
    all.push_back({"markup_" + name + "_as_chores", bytes, std::nullopt});
    all.push_back({"markup_" + name + "_as_lists", goldenChores, bytes});
  }
  return all;
}

TEST(ChoreFileReads, EveryFileInTheTreeReadsAsItAlwaysHas) {
  const char* writeTo = std::getenv("TOLVANE_WRITE_CHORE_READS");
  for (const Input& input : inputs()) {
    ASSERT_TRUE(input.chores || input.lists) << input.name;
    const std::string dump = readAndDump(input.chores, input.lists);
    const std::string file = "chore_reads/" + input.name + ".txt";
    if (writeTo != nullptr) {
      std::ofstream(std::string(writeTo) + "/" + input.name + ".txt", std::ios::binary) << dump;
      continue;
    }
    EXPECT_EQ(dump, fileBytes(file).value_or("(no " + file + ")")) << input.name;
  }
}

}  // namespace
}  // namespace tolvane
