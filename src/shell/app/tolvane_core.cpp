#include "shell/app/tolvane_core.h"

#include "engine/hotkeys/chore_command_slot.h"
#include "library/chore_files.h"
#include "library/settings/settings_store.h"
#include "win32_common/wide.h"
#include "shell/program_folder.h"

namespace tolvane::win32 {

namespace {

constexpr char16_t kGreeting[] = u"Tolvane at your service...";

}  // namespace

TolvaneCore::TolvaneCore() = default;

TolvaneCore::~TolvaneCore() { endWorkers(kWorkerEndWaitMs); }

// ---------------------------------------------------------------------------
// Start-up

void TolvaneCore::takeProgramFolder() {
  const std::wstring folder = win32::programFolder();
  programFolder_ = fromWide(folder);
  SetCurrentDirectoryW(folder.c_str());
  writeProgramFolder(registry_, programFolder_);
}

PlacementRect TolvaneCore::loadSettings() {
  PlacementRect saved;
  tolvane::loadSettings(registry_, settings_, saved);
  logs_.applySettings(settings_);
  return saved;
}

void TolvaneCore::createLogMutexes() {
  logs_.createMutexes();
  companion_ = std::make_unique<CompanionBinding>();
  logs_.debugLog.attachActivityLog(&logs_.activityLog);
}

bool TolvaneCore::bindCompanion() {
  if (!companion_->load(toWide(programFolder_))) return false;
  companion_->registerServer();
  applyCompanionLogging();
  return true;
}

void TolvaneCore::loadChores() {
  choreFileGuard_ =
      loadChoreFiles(library_, ChoreFileServices{files_, logs_.clock, logs_.sink}, prompts_, programFolder_).guard;
}

void TolvaneCore::startChoreThread(HWND window, HWND toolbar) {
  choreEvent_ = sync_.createEvent(kChoreEventName, false, false);
  schedulerEvent_ = sync_.createEvent(kSchedulerEventName, false, false);
  hotKeys_ = std::make_unique<HotKeyRuntime>(HotKeyRuntimeServices{library_, logs_.sink, sync_, registry_, *companion_,
                                                                   choreEvent_, schedulerEvent_, window, toolbar});
  hotKeys_->lastFolder().set(settings_.lastFolder);
  hotKeys_->hook().setMasterKey(settings_.masterHotKey());
  hotKeys_->startChoreThread();
}

void TolvaneCore::startExplorerWatch(HWND window) {
  // Without the companion's export the watch tries Explorer once, as it
  // does where Explorer does not load the companion.
  std::function<bool()> isBhoUp;
  if (companion_->isBhoUp().has_value()) isBhoUp = [this] { return companion_->isBhoUp().value_or(false); };
  explorerWatch_ = std::make_unique<CExplorerWatch>(logs_.sink, std::move(isBhoUp));
  hotKeys_->setStartWatch(
      [this, window] { explorerWatch_->OnBnClickStartWatch(window, hotKeys_->lastFolder().get()); });
  explorerWatch_->startAtLaunch(window, settings_.lastFolder);
}

void TolvaneCore::installKeyboardHook() {
  // A refused hook leaves its debug line; hot keys then do nothing.
  hotKeys_->installHook();
}

void TolvaneCore::greet() {
  hotKeys_->hook().setSuspended(false);
  logs_.activityLog.writeToActivityLog(kGreeting, false);
  for (const std::u16string& notice : startNotices_) logs_.activityLog.writeToActivityLog(notice, true);
}

void TolvaneCore::startScheduler(HWND window, HWND tree, std::function<void(std::u16string_view)> setTrayTip) {
  if (!schedulerEvent_) return;
  running_ = std::make_unique<RunningLists>(RunningListsServices{
      library_, sync_, logs_.clock, logs_.sink,
      [this](const Chore& chore) { return hotKeys_->executor().executeChore(chore); }, hotKeys_->desktop(), files_,
      hotKeys_->clipboard(), hotKeys_->sounds(),
      [this](std::u16string_view name) { return hotKeys_->launcher().launchChoreList(name); },
      [this](std::u16string_view name) { return hotKeys_->launcher().stopChoreList(name); }, *schedulerEvent_,
      [this] { return hotKeys_->exitRequested(); }, [this] { return logs_.switches.doDebugLog.load(); },
      std::move(setTrayTip), registry_});
  running_->attachWindow(window, tree);
  hotKeys_->launcher().setListThreads(running_->threadStarter(), running_->threadBody());
  if (!running_->startScheduler()) logs_.sink.debug(u"Scheduler thread could not be started.");
}

// ---------------------------------------------------------------------------
// Ending

void TolvaneCore::requestWorkersExit() {
  if (hotKeys_) hotKeys_->requestExit();
  if (choreEvent_) choreEvent_->set();
  if (schedulerEvent_) schedulerEvent_->set();
}

void TolvaneCore::closeStartedExplorers(HWND window) {
  if (explorerWatch_) explorerWatch_->closeStartedExplorers(window);
}

void TolvaneCore::unregisterCompanion() {
  if (companion_) companion_->unregisterServer();
}

bool TolvaneCore::saveChoresOnClose(CloseKind kind) {
  return saveOnClose(library_, ChoreFileServices{files_, logs_.clock, logs_.sink}, prompts_, choreFileGuard_, kind,
                     {choresChanged_, settings_.promptSave, settings_.makeBackup}, programFolder_);
}

void TolvaneCore::saveSettings(const PlacementRect& placement) {
  if (hotKeys_) settings_.lastFolder = hotKeys_->lastFolder().get();
  tolvane::saveSettings(registry_, settings_, placement);
}

void TolvaneCore::removeKeyboardHook() {
  if (hotKeys_) hotKeys_->removeHook();
  if (companion_) companion_->setDebugLogging(false);
}

bool TolvaneCore::endWorkers(std::uint32_t waitMs) {
  requestWorkersExit();
  const ULONGLONG end = GetTickCount64() + waitMs;
  const auto left = [end] {
    const ULONGLONG now = GetTickCount64();
    return now < end ? static_cast<std::uint32_t>(end - now) : 0u;
  };
  // Lists first: a step may be handing a chore to the chore thread.
  const bool listsEnded = !running_ || running_->endThreads(left());
  const bool choreThreadEnded = !hotKeys_ || hotKeys_->endChoreThread(left());
  return listsEnded && choreThreadEnded;
}

// ---------------------------------------------------------------------------
// Services

KeyNames& TolvaneCore::keyNames() {
  if (!keyNames_) keyNames_ = std::make_unique<Win32KeyNames>();
  return *keyNames_;
}

void TolvaneCore::wakeScheduler() {
  if (schedulerEvent_) schedulerEvent_->set();
}

void TolvaneCore::applyOptions(const OptionsOutcome& outcome) {
  settings_ = outcome.settings;
  logs_.applySettings(settings_);
  if (outcome.deleteDebugLog) logs_.debugFile.remove();
  applyCompanionLogging();
}

// Both deliverables log, or neither, as the switch says.
void TolvaneCore::applyCompanionLogging() {
  companion_->setDebugLogging(settings_.doDebugLog);
  companion_->setMaxLogSize(static_cast<std::int32_t>(settings_.watchLogMax));
}

void TolvaneCore::setMasterHotKey(HotKeyCode key) {
  settings_.masterhostkeyCode = key.virtualKey;
  settings_.masterhostkeyModifier = key.modifiers;
  if (hotKeys_) hotKeys_->hook().setMasterKey(key);
}

const EditorContext& TolvaneCore::editorContext() {
  if (!editorContext_) {
    editorContext_.emplace(EditorContext{queries_, settings_, keyNames(), prompts_, logs_.sink, logs_.clock, desktop_,
                                         windowActions_, accessibility_, processes_, registry_, files_,
                                         hotKeys_->capture(), *this});
  }
  return *editorContext_;
}

bool TolvaneCore::runChore(const Chore& chore) { return hotKeys_ && hotKeys_->runChore(chore); }

bool TolvaneCore::startList(const ChoreList& list) { return running_ && running_->startTrialList(list); }

bool TolvaneCore::listRunning() { return running_ && running_->trialListRunning(); }

void TolvaneCore::stopList() {
  if (running_) running_->stopTrialList();
}

}  // namespace tolvane::win32
