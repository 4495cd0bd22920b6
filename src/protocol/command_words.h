#pragma once
// The words the main program and the companion exchange through the
// shared block. Comparison is exact and case-sensitive.

#include <string_view>

namespace tolvane::protocol {

inline constexpr std::u16string_view kGotoFolder = u"gotoFolder";
inline constexpr std::u16string_view kStartFolderWatch = u"startFolderWatch";
inline constexpr std::u16string_view kStopFolderWatch = u"stopFolderWatch";
inline constexpr std::u16string_view kPing = u"ping";
inline constexpr std::u16string_view kDebugLogOn = u"debuglog";
inline constexpr std::u16string_view kDebugLogOff = u"nodebuglog";
inline constexpr std::u16string_view kCloseShop = u"closeShop";

// Commands for Keyrune+ in `tlCommand`.
inline constexpr std::u16string_view kGotoUrl = u"gotoUrl";
inline constexpr std::u16string_view kLogon = u"logon";

enum class HostCommand { GotoFolder, StartFolderWatch, StopFolderWatch, Ping, DebugLogOn, DebugLogOff, CloseShop, Unknown };

HostCommand parseHostCommand(std::u16string_view text);

}  // namespace tolvane::protocol
