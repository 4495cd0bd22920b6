#include "tools/tolvanectl/tolvanectl.h"

#include <cstdio>
#include <vector>

#include "base/format.h"
#include "base/text.h"
#include "library/chore_files.h"
#include "library/settings/settings_store.h"
#include "library/summary_text.h"
#include "tools/tolvanectl/lint.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kUsage = u"usage: tolvanectl check|resave|show DIR\n       tolvanectl lint [DIR]\n       tolvanectl run|stop NAME  (Windows only)\n";

// Exit codes, the same for every command.
constexpr int kExitFileFailed = 1;  // a file that is there could not be read (or written)
constexpr int kExitUsage = 2;       // bad arguments, or no such folder
constexpr int kExitFindings = 3;

struct ReadOutcome {
  ChoreLibrary library;
  std::vector<std::u16string> problems;  // a file that is not safe to write over
  std::vector<std::u16string> notes;     // steps dropped, as start-up drops them
  std::vector<DroppedStep> droppedSteps;
};

// The load's only debug line, about a file it cannot convert, is reported
// as a problem of that file instead.
void readFolder(const ToolServices& services, std::u16string_view folder, ReadOutcome& outcome) {
  SilentLogSink log;
  const ChoreFileServices fileServices{services.files, services.clock, log};
  const ChoreFilesReport report = readChoreFiles(outcome.library, fileServices, folder);
  outcome.problems = choreFileProblems(report);
  outcome.droppedSteps = report.droppedSteps;
  for (const auto& dropped : report.droppedSteps) outcome.notes.push_back(droppedStepText(dropped));
}

void write(std::FILE* stream, std::u16string_view text) {
  const std::string bytes = toUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

std::u16string counts(const ChoreLibrary& library) {
  return formatText(u"chores: %d, lists: %d\n", library.choreCount(), library.choreListCount());
}

std::u16string lines(const std::vector<std::u16string>& texts) {
  std::u16string all;
  for (const auto& text : texts) {
    all += text;
    all += u'\n';
  }
  return all;
}

void check(const ReadOutcome& outcome, ToolResult& result) {
  result.out = lines(outcome.problems) + lines(outcome.notes) + counts(outcome.library);
  result.exitCode = outcome.problems.empty() ? 0 : kExitFileFailed;
}

void resave(const ToolServices& services, std::u16string_view folder, const ReadOutcome& outcome,
            ToolResult& result) {
  result.out = lines(outcome.notes);
  if (!outcome.problems.empty()) {
    result.err = lines(outcome.problems) + u"nothing written: the files above would lose chores or lists\n";
    result.exitCode = kExitFileFailed;
    return;
  }
  const ChoreFilesSaved saved = saveChoreFiles(outcome.library, services.files, services.clock, folder);
  if (saved.failure) {
    result.err = formatText(u"%s: could not be written (%s); neither file was changed\n",
                            std::u16string_view(saved.failure.path).substr(folder.size()),
                            services.files.errorText(saved.failure.error));
  }
  result.out += counts(outcome.library);
  result.exitCode = saved.failure ? kExitFileFailed : 0;
  if (result.exitCode == 0) result.out += formatText(u"written: %s, %s\n", kChoreFileName, kChoreListFileName);
}

void show(const ToolServices& services, const ReadOutcome& outcome, ToolResult& result) {
  std::vector<std::u16string> texts;
  outcome.library.read([&](const LibraryContents& contents) {
    for (const auto& chore : contents.chores) texts.push_back(chore.name);
  });
  std::vector<std::u16string> summaries;
  for (const auto& name : texts) summaries.push_back(choreSummaryText(outcome.library, name, services.keyNames));
  outcome.library.read([&](const LibraryContents& contents) {
    for (const auto& list : contents.lists)
      summaries.push_back(listSummaryText(list, ListSummaryPart::OverLabel, services.keyNames, services.clock));
  });
  for (std::size_t i = 0; i < summaries.size(); ++i) {
    if (i > 0) result.out += u'\n';
    result.out += summaries[i];
    result.out += u'\n';
  }
  result.err = lines(outcome.problems) + lines(outcome.notes);
  result.exitCode = outcome.problems.empty() ? 0 : kExitFileFailed;
}

std::optional<HotKeyCode> masterKey(Registry* registry) {
  if (!registry) return std::nullopt;
  Settings settings;
  PlacementRect placement;
  loadSettings(*registry, settings, placement);
  return settings.masterHotKey();
}

// Findings on a library that did not wholly load would mostly be its
// missing records: what stopped the load is said instead.
void lint(const ToolServices& services, const ReadOutcome& outcome, ToolResult& result) {
  if (!outcome.problems.empty()) {
    result.err = lines(outcome.problems);
    result.exitCode = kExitFileFailed;
    return;
  }
  const LintContext context{services.keyNames, services.clock, masterKey(services.registry)};
  const std::vector<std::u16string> findings = outcome.library.read([&](const LibraryContents& contents) {
    return lintLibrary(contents, outcome.droppedSteps, context);
  });
  result.out = lines(findings) + formatText(u"findings: %d\n", findings.size());
  result.exitCode = findings.empty() ? 0 : kExitFindings;
}

bool isKnownCommand(std::span<const std::u16string> args) {
  if (args.empty()) return false;
  if (args[0] == u"lint") return args.size() <= 2;
  return args.size() == 2 && (args[0] == u"check" || args[0] == u"resave" || args[0] == u"show");
}

}  // namespace

ToolResult runTolvanectl(std::span<const std::u16string> args, const ToolServices& services) {
  ToolResult result;
  if (!isKnownCommand(args)) {
    result.err = std::u16string(kUsage);
    result.exitCode = kExitUsage;
    return result;
  }
  // No folder (lint only) is the current one: bare file names.
  std::u16string folder = args.size() == 2 ? args[1] : std::u16string();
  if (args.size() == 2 && (folder.empty() || !services.files.folderExists(folder))) {
    result.err = formatText(u"tolvanectl: cannot read folder \"%s\"\n", folder);
    result.exitCode = kExitUsage;
    return result;
  }
  if (!folder.empty() && folder.back() != services.separator && folder.back() != u'/') folder += services.separator;

  ReadOutcome outcome;
  readFolder(services, folder, outcome);
  if (args[0] == u"check") check(outcome, result);
  else if (args[0] == u"resave") resave(services, folder, outcome, result);
  else if (args[0] == u"lint") lint(services, outcome, result);
  else show(services, outcome, result);
  return result;
}

int printResult(const ToolResult& result) {
  write(stdout, result.out);
  write(stderr, result.err);
  return result.exitCode;
}

}  // namespace tolvane
