#pragma once
// What the close saves: the chore files when the library changed (after
// the question when `promptSave` is on), then the backups. A file that
// cannot be written is never passed over in silence: on the exit the user
// is asked to Retry or Cancel, and Cancel keeps the program running with
// its changes; at the end of the Windows session, when nobody can be
// asked, they go to "<file>.unsaved-..." copies that the next start offers.

#include <string_view>

#include "library/chore_files.h"

namespace tolvane {

enum class CloseKind { Exit, SessionEnd };

struct CloseSettings {
  bool changed = false;     // the library changed since it was loaded
  bool promptSave = false;  // ask before saving (not at the end of the session)
  bool makeBackup = false;
};

// False when the user chose Cancel: nothing more may end then.
bool saveOnClose(const ChoreLibrary& library, const ChoreFileServices& services, Prompts& prompts,
                 ChoreFileGuard& guard, CloseKind kind, const CloseSettings& settings, std::u16string_view folder);

}  // namespace tolvane
