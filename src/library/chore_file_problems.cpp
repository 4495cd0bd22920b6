#include "base/format.h"
#include "library/chore_files.h"

namespace tolvane {

std::u16string whyUnread(const ChoreFileReport& report) {
  switch (report.status) {
    case ChoreFileStatus::Unparsable:
      if (report.error.empty()) return u"the file is empty";
      return formatText(u"%s (line %d, column %d)", report.error, report.errorAt.line, report.errorAt.column);
    case ChoreFileStatus::Unconvertible:
      return u"a NUL character cuts its text short";
    default:
      return u"the file cannot be opened";
  }
}

std::vector<std::u16string> choreFileProblems(const ChoreFilesReport& report) {
  std::vector<std::u16string> problems;
  if (report.guard.chores.damaged)
    problems.push_back(formatText(u"%s could not be read: %s.", kChoreFileName, whyUnread(report.chores)));
  if (report.lists.exists && report.lists.status == ChoreFileStatus::NotRead) {
    problems.push_back(
        report.chores.exists
            ? formatText(u"%s was not read, because %s could not be read.", kChoreListFileName, kChoreFileName)
            : formatText(u"%s is ignored, because %s is missing.", kChoreListFileName, kChoreFileName));
  }
  if (report.guard.lists.damaged)
    problems.push_back(formatText(u"%s could not be read: %s.", kChoreListFileName, whyUnread(report.lists)));
  return problems;
}

}  // namespace tolvane
