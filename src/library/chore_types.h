#pragma once
// The enumerations of chores and steps and the display tables the editors
// offer them by (chore actions have theirs in library/chore_actions.h).

#include <cstdint>
#include <span>
#include <string_view>

namespace tolvane {

enum ChoreType : std::int32_t {
  CHORE_EXPLORE = 0,
  CHORE_OPEN = 1,
  CHORE_PRINT = 2,
  CHORE_RUN = 3,
  CHORE_WINOP = 4,
  CHORE_WNDMSG = 5,
  CHORE_FILEOP = 6,
  CHORE_SURF = 7,
  CHORE_LOGON = 8,
  CHORE_UNKNOWN = 16,
  CHORE_NOTHING = 17,
  CHORE_CLIPBOARD = 18,
};

enum CompletionType : std::int32_t {
  COMP_NONE = 0,
  WND_CREATED = 1,
  WND_DESTROYED = 2,
  FILE_CREATED = 3,
  FILE_DELETED = 4,
  USER_PROMPT = 5,
  WAIT_HOTKEY = 6,
  DELAY = 7,
  WAIT_CLIPBOARD = 8,
};

enum FileOpType : std::int32_t {
  FILEOP_COPY = 0,
  FILEOP_MOVE = 1,
  FILEOP_DELETE = 2,
  FILEOP_RENAME = 3,
};

// Window operations held in a CHORE_WINOP chore's notifyCode: four system
// commands and the program's own "Position".
constexpr std::uint16_t kWindowOpClose = 0xF060;
constexpr std::uint16_t kWindowOpMinimize = 0xF020;
constexpr std::uint16_t kWindowOpMaximize = 0xF030;
constexpr std::uint16_t kWindowOpRestore = 0xF120;
constexpr std::uint16_t WINOP_POSITION = 0xF057;

// menuID marker: menuOption is invoked through accessibility.
constexpr std::int32_t kMenuIdAccessible = static_cast<std::int32_t>(0xEFFFEFFFu);

struct CompletionTypeEntry {
  std::u16string_view name;
  CompletionType value;
};

struct FileOpTypeEntry {
  std::u16string_view name;
  FileOpType value;
};

struct WindowOpEntry {
  std::u16string_view name;
  std::uint16_t value;
};

// In the order the editors offer them.
std::span<const CompletionTypeEntry> completionTypeTable();
std::span<const FileOpTypeEntry> fileOpTypeTable();
std::span<const WindowOpEntry> windowOpTable();

// Display name of a completion type; empty for a value outside the table.
std::u16string_view completionTypeName(std::int32_t value);

}  // namespace tolvane
