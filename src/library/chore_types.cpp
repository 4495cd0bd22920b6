#include "library/chore_types.h"

#include <array>

namespace tolvane {
namespace {

constexpr std::array<CompletionTypeEntry, 9> kCompletionTypes{{
    {u"None", COMP_NONE},
    {u"Window created", WND_CREATED},
    {u"Window destroyed", WND_DESTROYED},
    {u"File created", FILE_CREATED},
    {u"File deleted", FILE_DELETED},
    {u"User prompt", USER_PROMPT},
    {u"Wait for hotkey", WAIT_HOTKEY},
    {u"Delay in seconds", DELAY},
    {u"Wait for clipboard", WAIT_CLIPBOARD},
}};

constexpr std::array<FileOpTypeEntry, 4> kFileOpTypes{{
    {u"Copy", FILEOP_COPY},
    {u"Move", FILEOP_MOVE},
    {u"Delete", FILEOP_DELETE},
    {u"Rename", FILEOP_RENAME},
}};

constexpr std::array<WindowOpEntry, 5> kWindowOps{{
    {u"Close", kWindowOpClose},
    {u"Minimize", kWindowOpMinimize},
    {u"Maximize", kWindowOpMaximize},
    {u"Restore", kWindowOpRestore},
    {u"Position", WINOP_POSITION},
}};

}  // namespace

std::span<const CompletionTypeEntry> completionTypeTable() { return kCompletionTypes; }
std::span<const FileOpTypeEntry> fileOpTypeTable() { return kFileOpTypes; }
std::span<const WindowOpEntry> windowOpTable() { return kWindowOps; }

std::u16string_view completionTypeName(std::int32_t value) {
  for (const auto& entry : kCompletionTypes)
    if (entry.value == value) return entry.name;
  return {};
}

}  // namespace tolvane
