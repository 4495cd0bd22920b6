#include "shell/core/tolvane_core.h"

#include <cstdlib>

#include "engine/hotkeys/chore_command_slot.h"
#include "library/chore_files.h"
#include "library/settings/settings_store.h"
#include "win32_common/wide.h"
#include "shell/program_folder.h"

namespace tolvane::win32 {

namespace {

constexpr char16_t kGreeting[] = u"Tolvane at your service...";

// Nobody outside this process signals the events by name, so an unnamed one
// serves as well when the name is taken by another kind of object. Without
// any event neither hot keys nor schedules could work.
std::shared_ptr<Event> makeWakeEvent(Sync& sync, std::u16string_view name) {
  if (std::shared_ptr<Event> named = sync.createEvent(name, false, false)) return named;
  if (std::shared_ptr<Event> unnamed = sync.createEvent(u"", false, false)) return unnamed;
  const std::wstring text = L"Tolvane cannot start: the event " + toWide(name) + L" could not be created.";
  MessageBoxW(nullptr, text.c_str(), L"Tolvane", MB_OK | MB_ICONERROR);
  std::exit(1);
}

}  // namespace

TolvaneCore::TolvaneCore()
    : choreEvent_(makeWakeEvent(platform_.sync, kChoreEventName)),
      schedulerEvent_(makeWakeEvent(platform_.sync, kSchedulerEventName)),
      hotKeys_(HotKeyRuntimeServices{library_, logs_.sink, platform_.sync, platform_.registry, platform_.companion,
                                     platform_.shell, platform_.desktop, platform_.windows, platform_.keyboard,
                                     platform_.clipboard, platform_.sounds, platform_.ownerlessPrompts,
                                     platform_.accessibility, platform_.processes, choreEvent_, schedulerEvent_}),
      editorContext_{queries_,
                     settings_,
                     platform_.keyNames,
                     platform_.windowPrompts,
                     logs_.sink,
                     logs_.clock,
                     platform_.desktop,
                     platform_.windows,
                     platform_.accessibility,
                     platform_.processes,
                     platform_.registry,
                     platform_.files,
                     hotKeys_.capture(),
                     *this},
      running_(RunningListsServices{
          library_, platform_.sync, logs_.clock, logs_.sink,
          [this](const Chore& chore) { return hotKeys_.executor().executeChore(chore); }, platform_.desktop,
          platform_.files, platform_.clipboard, platform_.ownerlessPrompts, platform_.sounds,
          [this](std::u16string_view name) { return hotKeys_.launcher().launchChoreList(name); },
          [this](std::u16string_view name) { return hotKeys_.launcher().stopChoreList(name); }, *schedulerEvent_,
          [this] { return hotKeys_.exitRequested(); }, [this] { return logs_.switches.doDebugLog.load(); },
          [this](std::u16string_view tip) {
            if (setTrayTip_) setTrayTip_(tip);
          },
          platform_.registry}) {
  hotKeys_.launcher().setListThreads(running_.threadStarter(), running_.threadBody());
}

TolvaneCore::~TolvaneCore() { endWorkers(kWorkerEndWaitMs); }

// ---------------------------------------------------------------------------
// Start-up

void TolvaneCore::attachWindow(CoreWindow window) {
  window_ = window.window;
  platform_.windowPrompts.setOwner(window.window);
  platform_.shell.setOwner(window.window);
  logs_.view.attach(window.window, window.activityList);
  hotKeys_.attachWindow(window.window, std::move(window.showHotKeysOn));
  setTrayTip_ = std::move(window.setTrayTip);
  running_.attachWindow(window.window, window.tree);
}

void TolvaneCore::takeProgramFolder() {
  const std::wstring folder = win32::programFolder();
  programFolder_ = fromWide(folder);
  SetCurrentDirectoryW(folder.c_str());
  writeProgramFolder(platform_.registry, programFolder_);
}

PlacementRect TolvaneCore::loadSettings() {
  PlacementRect saved;
  tolvane::loadSettings(platform_.registry, settings_, saved);
  logs_.applySettings(settings_);
  return saved;
}

void TolvaneCore::createLogMutexes() {
  logs_.createMutexes();
  logs_.debugLog.attachActivityLog(&logs_.activityLog);
}

bool TolvaneCore::bindCompanion() {
  if (!platform_.companion.load(toWide(programFolder_))) return false;
  platform_.companion.registerServer();
  applyCompanionLogging();
  return true;
}

void TolvaneCore::loadChores() {
  choreFileGuard_ = loadChoreFiles(library_, ChoreFileServices{platform_.files, logs_.clock, logs_.sink},
                                   platform_.windowPrompts, programFolder_)
                        .guard;
}

void TolvaneCore::startChoreThread() {
  hotKeys_.lastFolder().set(settings_.lastFolder);
  hotKeys_.hook().setMasterKey(settings_.masterHotKey());
  hotKeys_.startChoreThread();
}

void TolvaneCore::startExplorerWatch() {
  // Without the companion's export the watch tries Explorer once, as it
  // does where Explorer does not load the companion.
  std::function<bool()> isBhoUp;
  if (platform_.companion.isBhoUp().has_value()) {
    isBhoUp = [this] { return platform_.companion.isBhoUp().value_or(false); };
  }
  explorerWatch_ = std::make_unique<CExplorerWatch>(logs_.sink, std::move(isBhoUp));
  hotKeys_.setStartWatch([this] { explorerWatch_->OnBnClickStartWatch(window_, hotKeys_.lastFolder().get()); });
  explorerWatch_->startAtLaunch(window_, settings_.lastFolder);
}

void TolvaneCore::installKeyboardHook() {
  // A refused hook leaves its debug line; hot keys then do nothing.
  hotKeys_.installHook();
}

void TolvaneCore::greet() {
  hotKeys_.hook().setSuspended(false);
  logs_.activityLog.writeToActivityLog(kGreeting, false);
  for (const std::u16string& notice : startNotices_) logs_.activityLog.writeToActivityLog(notice, true);
}

void TolvaneCore::startScheduler() {
  if (!running_.startScheduler()) logs_.sink.debug(u"Scheduler thread could not be started.");
}

bool TolvaneCore::handleMessage(UINT message, WPARAM wParam) {
  if (message == ListActivityView::kDrainMessage) {
    logs_.view.drain();
    return true;
  }
  return running_.handleMessage(message, wParam);
}

// What stays of the core, also when a list keeps it past the window's end,
// calls nothing of the window any more.
void TolvaneCore::detachWindow() {
  running_.attachWindow(nullptr, nullptr);
  logs_.view.attach(nullptr, nullptr);
  // The executor keeps the handle: it only compares it.
  hotKeys_.attachWindow(window_, {});
  setTrayTip_ = {};
}

// ---------------------------------------------------------------------------
// Ending

void TolvaneCore::requestWorkersExit() {
  hotKeys_.requestExit();
  choreEvent_->set();
  schedulerEvent_->set();
}

void TolvaneCore::closeStartedExplorers() {
  if (explorerWatch_) explorerWatch_->closeStartedExplorers(window_);
}

bool TolvaneCore::saveChoresOnClose(CloseKind kind) {
  return saveOnClose(library_, ChoreFileServices{platform_.files, logs_.clock, logs_.sink}, platform_.windowPrompts,
                     choreFileGuard_, kind, {choresChanged_, settings_.promptSave, settings_.makeBackup},
                     programFolder_);
}

void TolvaneCore::saveSettings(const PlacementRect& placement) {
  settings_.lastFolder = hotKeys_.lastFolder().get();
  tolvane::saveSettings(platform_.registry, settings_, placement);
}

void TolvaneCore::removeKeyboardHook() {
  hotKeys_.removeHook();
  platform_.companion.setDebugLogging(false);
}

bool TolvaneCore::endWorkers(std::uint32_t waitMs) {
  requestWorkersExit();
  const ULONGLONG end = GetTickCount64() + waitMs;
  const auto left = [end] {
    const ULONGLONG now = GetTickCount64();
    return now < end ? static_cast<std::uint32_t>(end - now) : 0u;
  };
  // Lists first: a step may be handing a chore to the chore thread.
  const bool listsEnded = running_.endThreads(left());
  const bool choreThreadEnded = hotKeys_.endChoreThread(left());
  return listsEnded && choreThreadEnded;
}

// ---------------------------------------------------------------------------
// What the window asks for

bool TolvaneCore::startList(std::u16string_view name) { return running_.runList(name); }

bool TolvaneCore::stopList(std::u16string_view name) { return running_.stopList(name); }

bool TolvaneCore::stopRunningListAt(int index) { return running_.stopRunningListAt(index); }

bool TolvaneCore::hotKeysOn() {
  return !hotKeys_.hook().suspended() && hotKeys_.hook().processingEnabled().load();
}

void TolvaneCore::applyOptions(const OptionsOutcome& outcome) {
  settings_ = outcome.settings;
  logs_.applySettings(settings_);
  if (outcome.deleteDebugLog) logs_.debugFile.remove();
  applyCompanionLogging();
}

// Both deliverables log, or neither, as the switch says.
void TolvaneCore::applyCompanionLogging() {
  platform_.companion.setDebugLogging(settings_.doDebugLog);
  platform_.companion.setMaxLogSize(static_cast<std::int32_t>(settings_.watchLogMax));
}

void TolvaneCore::setMasterHotKey(HotKeyCode key) {
  settings_.masterhostkeyCode = key.virtualKey;
  settings_.masterhostkeyModifier = key.modifiers;
  hotKeys_.hook().setMasterKey(key);
}

// ---------------------------------------------------------------------------
// The wizard's trials

bool TolvaneCore::startList(const ChoreList& list) { return running_.startTrialList(list); }

bool TolvaneCore::listRunning() { return running_.trialListRunning(); }

void TolvaneCore::stopList() { running_.stopTrialList(); }

}  // namespace tolvane::win32
