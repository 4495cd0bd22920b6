// The library's entry point and its exported functions. Every text is
// copied into or out of the shared block at most to the field's capacity.

#include <windows.h>

#include "base/format.h"
#include "companion/bho_log.h"
#include "companion/class_factory.h"
#include "companion/command_thread.h"
#include "companion/identities.h"
#include "companion/lifecycle.h"
#include "companion/module_counts.h"
#include "companion/registration.h"
#include "companion/shared_block.h"
#include "protocol/companion_entry_points.h"

using namespace tolvane::companion;
using tolvane::protocol::ExportBool;
namespace protocol = tolvane::protocol;

namespace {

// A setter's text is read only as far as the field needs to tell whether
// it fits; a longer text is cut and the cut is logged.
template <std::size_t N>
void setField(char16_t (&field)[N], const char16_t* text, const char16_t* name) {
  const std::u16string_view value = protocol::callerText(text, N);
  if (!storeShared(field, value))
    bhoLog(static_cast<std::uint32_t>(N - 1), tolvane::formatText(u"%s text cut to the field's capacity: ", name));
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(module);
      return onProcessAttach(module) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      onProcessDetach(reserved != nullptr);
      return TRUE;
    default:
      return TRUE;
  }
}

void TOLVANE_EXPORT_CALL setHstCommand(const char16_t* text) { setField(sharedBlock().hstCommand, text, u"hstCommand"); }
void TOLVANE_EXPORT_CALL getTlCommand(char16_t* buffer) { copySharedOut(sharedBlock().tlCommand, buffer); }
void TOLVANE_EXPORT_CALL setTlCommand(const char16_t* text) { setField(sharedBlock().tlCommand, text, u"tlCommand"); }
void TOLVANE_EXPORT_CALL getKyrError(char16_t* buffer) { copySharedOut(sharedBlock().kyrError, buffer); }
void TOLVANE_EXPORT_CALL setKyrError(const char16_t* text) { setField(sharedBlock().kyrError, text, u"kyrError"); }
ExportBool TOLVANE_EXPORT_CALL getKyrValidated() { return sharedBlock().kyrValidated.load() ? TRUE : FALSE; }
void TOLVANE_EXPORT_CALL setKyrValidated(ExportBool value) { sharedBlock().kyrValidated = value != FALSE; }
void TOLVANE_EXPORT_CALL getSite(char16_t* buffer) { copySharedOut(sharedBlock().site, buffer); }
void TOLVANE_EXPORT_CALL setSite(const char16_t* text) { setField(sharedBlock().site, text, u"site"); }
ExportBool TOLVANE_EXPORT_CALL isBhoUp() {
  // A command thread whose Explorer was killed is not up, whatever it left.
  forgetCommandThreadOfEndedProcess();
  return sharedBlock().bhoUp.load() ? TRUE : FALSE;
}
ExportBool TOLVANE_EXPORT_CALL isCmdReady() { return loadShared(sharedBlock().hstCommand).empty() ? TRUE : FALSE; }
void TOLVANE_EXPORT_CALL setDebugLogging(ExportBool value) { sharedBlock().debugLogging = value != FALSE; }
void TOLVANE_EXPORT_CALL setMaxLogSize(std::int32_t megabytes) {
  sharedBlock().maxLogSize = protocol::maxLogSizeBytes(megabytes);
}
void TOLVANE_EXPORT_CALL setFolderName(const char16_t* text) { setField(sharedBlock().folderName, text, u"folderName"); }

STDAPI DllCanUnloadNow() { return liveObjects.load() == 0 && serverLocks.load() == 0 ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (!IsEqualCLSID(clsid, kClsidExpWatch)) return CLASS_E_CLASSNOTAVAILABLE;
  return expWatchFactory().QueryInterface(riid, result);
}

STDAPI DllRegisterServer() { return registerServer(); }
STDAPI DllUnregisterServer() { return unregisterServer(); }

}  // extern "C"
