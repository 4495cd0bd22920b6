#include "tools/tolvanectl/request_commands.h"

#include "engine/requests/request_delivery.h"
#include "platform/system_clock.h"
#include "platform/win32/requests/win32_request_channel.h"
#include "platform/win32/sync/win32_sync.h"
#include "protocol/request_command_line.h"

namespace tolvane::win32 {

std::optional<ToolResult> runRequestCommand(std::span<const std::u16string> args) {
  const ParsedRequestLine line = parseToolArguments(args);
  if (line.kind != RequestLine::Request && line.kind != RequestLine::Usage) return std::nullopt;
  Win32RequestChannel channel;
  SystemClock clock;
  Win32Sync sync;
  const RequestOutcome outcome = deliverRequestLine(line, channel, clock, sync);
  ToolResult result;
  result.exitCode = static_cast<int>(outcome);
  result.err = requestOutcomeText(outcome, line.request, kToolRequestUsage);
  if (!result.err.empty()) result.err += u'\n';
  return result;
}

}  // namespace tolvane::win32
