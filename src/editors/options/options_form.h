#pragma once
// The Options dialog's switches: what it shows on opening, and what OK
// makes of them. Always on top and the debug log's deletion are the main
// window's to carry out; the auto-start entry is written here.

#include <string>
#include <string_view>

#include "editors/refusal.h"
#include "library/settings/settings.h"
#include "platform/registry.h"

namespace tolvane {

struct OptionsForm {
  bool alwaysOnTop = false;
  bool autoStart = false;
  bool exitSystray = false;
  bool doDebugLog = false;
  bool doActivityLog = false;
  bool minimizeOnStart = false;
  bool deleteDebugLog = false;
  bool promptSave = false;
  bool makeBackup = false;
};

struct OptionsOutcome {
  Settings settings;
  bool deleteDebugLog = false;
};

// Every switch as set; "Delete the debug log file" unchecked.
OptionsForm optionsFormFor(const Settings& settings);

// The switches copied into the settings, and the auto-start entry made to
// match: rewritten with `programPath` when checked (an entry an earlier
// copy left elsewhere is replaced), removed when not. When the Run key
// cannot be written, `autoStart` keeps its value.
OptionsOutcome applyOptions(const Settings& settings, const OptionsForm& form, Registry& registry,
                            std::u16string_view programPath);

struct OptionsOpening {
  std::u16string caption;
  OptionsForm form;
};

// The dialog as an editor: nothing it holds is refused.
class OptionsEditor {
 public:
  OptionsEditor(const Settings& settings, Registry& registry, std::u16string programPath)
      : settings_(settings), registry_(registry), programPath_(std::move(programPath)) {}

  OptionsOpening open() const { return {u"Options", optionsFormFor(settings_)}; }
  Submission<OptionsOutcome> submit(const OptionsForm& form) const {
    return applyOptions(settings_, form, registry_, programPath_);
  }

 private:
  const Settings& settings_;
  Registry& registry_;
  std::u16string programPath_;
};

}  // namespace tolvane
