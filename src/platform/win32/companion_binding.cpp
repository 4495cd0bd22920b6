#include "platform/win32/companion_binding.h"

#include "platform/win32/common/wide.h"
#include "protocol/command_words.h"
#include "protocol/kernel_objects.h"
#include "protocol/shared_command_block.h"

namespace tolvane::win32 {
namespace {

// A text cut to a field's capacity, as the library would store it.
std::u16string fitted(std::u16string_view text, std::size_t capacity, bool& cut) {
  cut = text.size() >= capacity;
  return std::u16string(text.substr(0, capacity - 1));
}

}  // namespace

CompanionBinding::CompanionBinding()
    : keyruneEvent_(CreateEventW(nullptr, FALSE, FALSE, toWide(protocol::kKeyruneEventName).c_str())) {}

CompanionBinding::~CompanionBinding() { unload(); }

bool CompanionBinding::load(const std::wstring& programFolder) {
  unload();
  std::wstring path = programFolder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += toWide(protocol::kCompanionFileName);
  library_ = LoadLibraryW(path.c_str());
  if (!library_) {
    loadError_ = GetLastError();
    return false;
  }
  loadError_ = 0;
  commandEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, toWide(protocol::kCmdEventName).c_str()));
  dllRegisterServer_ = resolve<protocol::StatusExport>(protocol::kDllRegisterServer);
  dllUnregisterServer_ = resolve<protocol::StatusExport>(protocol::kDllUnregisterServer);
  setHstCommand_ = resolve<protocol::SetTextExport>(protocol::kSetHstCommand);
  isBhoUp_ = resolve<protocol::GetFlagExport>(protocol::kIsBhoUp);
  isCmdReady_ = resolve<protocol::GetFlagExport>(protocol::kIsCmdReady);
  setDebugLogging_ = resolve<protocol::SetFlagExport>(protocol::kSetDebugLogging);
  setMaxLogSize_ = resolve<protocol::SetSizeExport>(protocol::kSetMaxLogSize);
  setFolderName_ = resolve<protocol::SetTextExport>(protocol::kSetFolderName);
  setSite_ = resolve<protocol::SetTextExport>(protocol::kSetSite);
  setTlCommand_ = resolve<protocol::SetTextExport>(protocol::kSetTlCommand);
  getKyrValidated_ = resolve<protocol::GetFlagExport>(protocol::kGetKyrValidated);
  getKyrError_ = resolve<protocol::GetTextExport>(protocol::kGetKyrError);
  return true;
}

std::optional<HRESULT> CompanionBinding::registerServer() {
  if (!dllRegisterServer_) return std::nullopt;
  return dllRegisterServer_();
}

std::optional<HRESULT> CompanionBinding::unregisterServer() {
  if (!dllUnregisterServer_) return std::nullopt;
  return dllUnregisterServer_();
}

void CompanionBinding::unload() {
  dllRegisterServer_ = dllUnregisterServer_ = nullptr;
  setHstCommand_ = setFolderName_ = setSite_ = setTlCommand_ = nullptr;
  isBhoUp_ = isCmdReady_ = getKyrValidated_ = nullptr;
  setDebugLogging_ = nullptr;
  setMaxLogSize_ = nullptr;
  getKyrError_ = nullptr;
  commandEvent_.reset();
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
}

bool CompanionBinding::canGotoFolder() const { return setFolderName_ && setHstCommand_; }

CompanionSendResult CompanionBinding::gotoFolder(std::u16string_view folder) {
  CompanionSendResult result;
  if (!canGotoFolder()) return result;
  const std::u16string stored = fitted(folder, protocol::kFolderNameCapacity, result.cut);
  setFolderName_(stored.c_str());
  setHstCommand_(std::u16string(protocol::kGotoFolder).c_str());
  result.sent = commandEvent_ && SetEvent(commandEvent_.get());
  return result;
}

std::optional<bool> CompanionBinding::isBhoUp() const {
  if (!isBhoUp_) return std::nullopt;
  return isBhoUp_() != FALSE;
}

std::optional<bool> CompanionBinding::isCmdReady() const {
  if (!isCmdReady_) return std::nullopt;
  return isCmdReady_() != FALSE;
}

void CompanionBinding::withdrawCommand() {
  if (setHstCommand_) setHstCommand_(u"");
}

std::optional<bool> CompanionBinding::kyrValidated() const {
  if (!getKyrValidated_) return std::nullopt;
  return getKyrValidated_() != FALSE;
}

std::optional<std::u16string> CompanionBinding::kyrError() const {
  if (!getKyrError_) return std::nullopt;
  char16_t buffer[protocol::kKyrErrorCapacity] = {};
  getKyrError_(buffer);
  buffer[protocol::kKyrErrorCapacity - 1] = u'\0';
  return std::u16string(buffer);
}

CompanionSendResult CompanionBinding::sendKeyruneCommand(std::u16string_view site, std::u16string_view command) {
  CompanionSendResult result;
  if (!setSite_ || !setTlCommand_) return result;
  bool commandCut = false;
  const std::u16string storedSite = fitted(site, protocol::kSiteCapacity, result.cut);
  const std::u16string storedCommand = fitted(command, protocol::kTlCommandCapacity, commandCut);
  setSite_(storedSite.c_str());
  setTlCommand_(storedCommand.c_str());
  result.cut = result.cut || commandCut;
  result.sent = keyruneEvent_ && SetEvent(keyruneEvent_.get());
  return result;
}

void CompanionBinding::setDebugLogging(bool on) {
  if (setDebugLogging_) setDebugLogging_(on ? TRUE : FALSE);
}

void CompanionBinding::setMaxLogSize(std::int32_t megabytes) {
  if (setMaxLogSize_) setMaxLogSize_(megabytes);
}

}  // namespace tolvane::win32
