#pragma once
// Which processes the companion agrees to live in, decided from the path
// of the host executable alone.

#include <string_view>

namespace tolvane::companion {

enum class HostKind { MainProgram, Keyrune, InternetExplorer, Other };

// Internet Explorer is recognised case-insensitively; the main program
// and Keyrune+ by a case-sensitive part of the path as read.
HostKind classifyHost(std::u16string_view hostPath);

// Explorer processes (by a case-insensitive name) host the command thread.
bool isExplorerHost(std::u16string_view hostPath);

// Everything but the main program is counted in `loadCount`.
bool isCountedHost(HostKind kind);

}  // namespace tolvane::companion
