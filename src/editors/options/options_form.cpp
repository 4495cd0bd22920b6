#include "editors/options/options_form.h"

#include "library/settings/settings_store.h"

namespace tolvane {

OptionsForm optionsFormFor(const Settings& settings) {
  return {settings.alwaysOnTop, settings.autoStart,       settings.exitSystray, settings.doDebugLog,
          settings.doActivityLog, settings.minimizeOnStart, false,               settings.promptSave,
          settings.makeBackup};
}

OptionsOutcome applyOptions(const Settings& settings, const OptionsForm& form, Registry& registry,
                            std::u16string_view programPath) {
  OptionsOutcome outcome{settings, form.deleteDebugLog};
  Settings& changed = outcome.settings;
  changed.alwaysOnTop = form.alwaysOnTop;
  changed.exitSystray = form.exitSystray;
  changed.doDebugLog = form.doDebugLog;
  changed.doActivityLog = form.doActivityLog;
  changed.minimizeOnStart = form.minimizeOnStart;
  changed.promptSave = form.promptSave;
  changed.makeBackup = form.makeBackup;
  const bool written =
      form.autoStart ? addAutoStartEntry(registry, programPath) : removeAutoStartEntry(registry);
  if (written) changed.autoStart = form.autoStart;
  return outcome;
}

}  // namespace tolvane
