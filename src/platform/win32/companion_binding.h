#pragma once
// Binds TolvaneBho.dll at run time: loads it from the program folder,
// resolves its exports by name and registers its browser helper object.
// Nothing is linked, so a missing library or export only disables what
// needs it.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/companion.h"
#include "platform/win32/common/owned_handle.h"
#include "protocol/companion_entry_points.h"

namespace tolvane::win32 {

class CompanionBinding final : public Companion {
 public:
  // Creates (or opens) the Keyrune+ event, which exists whether or not
  // the library loads.
  CompanionBinding();
  ~CompanionBinding() override;
  CompanionBinding(const CompanionBinding&) = delete;
  CompanionBinding& operator=(const CompanionBinding&) = delete;

  // Loads the library from the folder and resolves the exports it uses; false
  // with the platform's error code in `loadError` when it does not load.
  bool load(const std::wstring& programFolder);
  DWORD loadError() const { return loadError_; }

  // DllRegisterServer's status; empty when the export is missing.
  std::optional<HRESULT> registerServer();
  // DllUnregisterServer's status; empty when the export is missing.
  std::optional<HRESULT> unregisterServer();
  void unload();

  bool canGotoFolder() const override;
  CompanionSendResult gotoFolder(std::u16string_view folder) override;
  std::optional<bool> isBhoUp() const override;
  std::optional<bool> isCmdReady() const override;
  void withdrawCommand() override;
  std::optional<bool> kyrValidated() const override;
  std::optional<std::u16string> kyrError() const override;
  CompanionSendResult sendKeyruneCommand(std::u16string_view site, std::u16string_view command) override;
  void setDebugLogging(bool on) override;
  void setMaxLogSize(std::int32_t megabytes) override;

 private:
  template <typename Fn>
  Fn* resolve(const char* name) const {
    return library_ ? reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(library_, name))) : nullptr;
  }

  HMODULE library_ = nullptr;
  DWORD loadError_ = 0;
  KernelHandle commandEvent_;
  KernelHandle keyruneEvent_;

  protocol::StatusExport* dllRegisterServer_ = nullptr;
  protocol::StatusExport* dllUnregisterServer_ = nullptr;
  protocol::SetTextExport* setHstCommand_ = nullptr;
  protocol::GetFlagExport* isBhoUp_ = nullptr;
  protocol::GetFlagExport* isCmdReady_ = nullptr;
  protocol::SetFlagExport* setDebugLogging_ = nullptr;
  protocol::SetSizeExport* setMaxLogSize_ = nullptr;
  protocol::SetTextExport* setFolderName_ = nullptr;
  protocol::SetTextExport* setSite_ = nullptr;
  protocol::SetTextExport* setTlCommand_ = nullptr;
  protocol::GetFlagExport* getKyrValidated_ = nullptr;
  protocol::GetTextExport* getKyrError_ = nullptr;
};

}  // namespace tolvane::win32
