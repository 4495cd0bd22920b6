#include "protocol/command_words.h"

namespace tolvane::protocol {

HostCommand parseHostCommand(std::u16string_view text) {
  if (text == kGotoFolder) return HostCommand::GotoFolder;
  if (text == kStartFolderWatch) return HostCommand::StartFolderWatch;
  if (text == kStopFolderWatch) return HostCommand::StopFolderWatch;
  if (text == kPing) return HostCommand::Ping;
  if (text == kDebugLogOn) return HostCommand::DebugLogOn;
  if (text == kDebugLogOff) return HostCommand::DebugLogOff;
  if (text == kCloseShop) return HostCommand::CloseShop;
  return HostCommand::Unknown;
}

}  // namespace tolvane::protocol
