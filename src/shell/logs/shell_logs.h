#pragma once
// Everything the main program logs through, in one object that lives as
// long as the process: the switches, both mutexes, both files, the
// activity window's rows, writeToActivityLog and debugLog.

#include "engine/logs/activity_log.h"
#include "engine/logs/activity_log_format.h"
#include "engine/logs/debug_log.h"
#include "engine/logs/main_log.h"
#include "library/settings/settings.h"
#include "platform/system_clock.h"
#include "protocol/kernel_objects.h"
#include "shell/logs/log_writers.h"

namespace tolvane::win32 {

class ShellLogs {
 public:
  ShellLogs()
      : activityLog(view, activityFile, activityMutex, time, switches),
        debugLog(debugFile, time, switches,
                 {[] { return versionText(GetModuleHandleW(nullptr)); }, [] { return companionVersionText(); }}),
        sink(activityLog, debugLog) {}

  // At start-up, before anything is logged to a file.
  void createMutexes() {
    debugMutex.create(protocol::kDebugMutexName);
    activityMutex.create(protocol::kActivityMutexName);
  }

  void applySettings(const Settings& settings) {
    switches.doActivityLog = settings.doActivityLog;
    switches.doDebugLog = settings.doDebugLog;
    switches.maxActivityLogs = settings.maxActivityLogs;
  }

  SystemClock clock;
  LogTime time{clock};
  LogSwitches switches;
  NamedMutexLock debugMutex;
  NamedMutexLock activityMutex;
  // Relative: start-up makes the program folder the current directory.
  AppendedLogFile activityFile{kActivityLogFileName, debugMutex};
  DebugLogFile debugFile{debugMutex};
  ListActivityView view;
  ActivityLog activityLog;
  DebugLog debugLog;
  MainLog sink;
};

}  // namespace tolvane::win32
