#include "library/close_save.h"

#include "base/format.h"
#include "library/backup_history.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kCaption = u"Tolvane";
constexpr std::u16string_view kWarningCaption = u"Tolvane Warning!";
constexpr std::u16string_view kSaveQuestion = u"Do you wish to save the changes before closing?";

std::u16string reason(const Files& files, const FileFailure& failure) {
  return formatText(u"%s (error %08.8x)", files.errorText(failure.error), failure.error);
}

// Saves until it works or the user gives up; false when they did.
bool saveOrAsk(const ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
               ChoreFileGuard& guard, std::u16string_view folder) {
  for (;;) {
    const ChoreFilesSaved saved = saveChoreFiles(library, services, guard, folder);
    if (!saved.failure) return true;
    const std::u16string text = formatText(
        u"Your chores could not be saved: %s cannot be written.\n%s\n\n"
        u"Close any program that uses the file and click Retry, or click Cancel to go on working with Tolvane: "
        u"your changes stay in it.",
        saved.failure.path, reason(services.files, saved.failure));
    if (!prompts.askRetryCancel(text, kWarningCaption)) return false;
  }
}

// Nobody can be asked now: the chores go where they can be written.
bool saveOrKeepCopies(const ChoreLibrary& library, const ChoreFileServices& services, ChoreFileGuard& guard,
                      std::u16string_view folder) {
  const ChoreFilesSaved saved = saveChoreFiles(library, services, guard, folder);
  if (!saved.failure) return true;
  const FileFailure copies = saveUnsavedCopies(library, services, folder);
  const std::u16string where =
      copies ? formatText(u"Copies could not be written either: %s.", reason(services.files, copies))
             : std::u16string(u"They are kept beside it as \"unsaved\" copies, which the next start offers.");
  services.log.activity(formatText(u"Your chores could not be saved when Windows ended: %s cannot be written. %s. %s",
                                   saved.failure.path, reason(services.files, saved.failure), where),
                        true);
  return false;
}

}  // namespace

bool saveOnClose(const ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                 ChoreFileGuard& guard, CloseKind kind, const CloseSettings& settings, std::u16string_view folder) {
  bool saved = false;
  if (settings.changed) {
    if (kind == CloseKind::SessionEnd) {
      saved = saveOrKeepCopies(library, services, guard, folder);
    } else if (!settings.promptSave || prompts.askYesNo(kSaveQuestion, kCaption)) {
      if (!saveOrAsk(library, services, prompts, guard, folder)) return false;
      saved = true;
    }
  }
  if (settings.makeBackup) backUpOnClose(services.files, prompts, services.clock, {guard.guardsRun(), saved}, folder);
  return true;
}

}  // namespace tolvane
