#pragma once
// The entry points TolvaneBho.dll exports to Tolvane and the password
// manager: their undecorated names and signatures.
// Texts are zero-terminated UTF-16 (wchar_t on Windows, same layout as
// char16_t); booleans are 32-bit as the platform's BOOL.

#include <array>
#include <cstdint>
#include <string_view>

#if defined(_WIN32) && !defined(_WIN64)
#define TOLVANE_EXPORT_CALL __stdcall
#else
#define TOLVANE_EXPORT_CALL
#endif

namespace tolvane::protocol {

inline constexpr char16_t kCompanionFileName[] = u"TolvaneBho.dll";

using ExportBool = std::int32_t;
using ExportStatus = std::int32_t;  // HRESULT

using SetTextExport = void TOLVANE_EXPORT_CALL(const char16_t* text);
using GetTextExport = void TOLVANE_EXPORT_CALL(char16_t* buffer);
using GetFlagExport = ExportBool TOLVANE_EXPORT_CALL();
using SetFlagExport = void TOLVANE_EXPORT_CALL(ExportBool value);
using SetSizeExport = void TOLVANE_EXPORT_CALL(std::int32_t megabytes);
using StatusExport = ExportStatus TOLVANE_EXPORT_CALL();

// Export names, by use; GetProcAddress takes narrow names.
inline constexpr char kSetHstCommand[] = "setHstCommand";
inline constexpr char kGetTlCommand[] = "getTlCommand";
inline constexpr char kSetTlCommand[] = "setTlCommand";
inline constexpr char kGetKyrError[] = "getKyrError";
inline constexpr char kSetKyrError[] = "setKyrError";
inline constexpr char kGetKyrValidated[] = "getKyrValidated";
inline constexpr char kSetKyrValidated[] = "setKyrValidated";
inline constexpr char kGetSite[] = "getSite";
inline constexpr char kSetSite[] = "setSite";
inline constexpr char kIsBhoUp[] = "isBhoUp";
inline constexpr char kIsCmdReady[] = "isCmdReady";
inline constexpr char kSetDebugLogging[] = "setDebugLogging";
inline constexpr char kSetMaxLogSize[] = "setMaxLogSize";
inline constexpr char kSetFolderName[] = "setFolderName";
inline constexpr char kDllCanUnloadNow[] = "DllCanUnloadNow";
inline constexpr char kDllGetClassObject[] = "DllGetClassObject";
inline constexpr char kDllRegisterServer[] = "DllRegisterServer";
inline constexpr char kDllUnregisterServer[] = "DllUnregisterServer";

// Every name the library exports, and nothing else.
inline constexpr std::array<std::string_view, 18> kAllExports = {
    kSetHstCommand,   kGetTlCommand,       kSetTlCommand,     kGetKyrError,       kSetKyrError,     kGetKyrValidated,
    kSetKyrValidated, kGetSite,            kSetSite,          kIsBhoUp,           kIsCmdReady,      kSetDebugLogging,
    kSetMaxLogSize,   kSetFolderName,      kDllCanUnloadNow,  kDllGetClassObject, kDllRegisterServer, kDllUnregisterServer};

}  // namespace tolvane::protocol
