#pragma once
// Tolvane.chm and its topics. HTML Help lives in hhctrl.ocx, which is loaded
// from the system folder the first time help is asked for: the program
// starts without it and says clearly why help cannot be shown.
//
// The main window's Help commands call openHelp(owner, topic).

#include <windows.h>

#include <string>
#include <string_view>

#include "shell/help/help_topics.h"

namespace tolvane::win32 {

// The program's help file; set once at start-up.
void setHelpFile(std::wstring path);

enum class HelpOutcome { Opened, FileMissing, ViewerMissing, ViewerFailed };

// Shows a topic ("::/helpTolvane.htm") of a help file in a help window owned
// by `owner`; shows nothing else.
HelpOutcome showHelpTopic(HWND owner, const std::wstring& file, std::u16string_view topic);

// What the user is told when help cannot be shown; empty for Opened.
std::u16string helpFailureText(HelpOutcome outcome, const std::wstring& file);

// Opens a topic of the program's help file, or tells the user in a message
// box why it cannot. True when the help window shows.
bool openHelp(HWND owner, std::u16string_view topic = kMainHelpTopic);

// Closes every help window this process opened; the program calls it as it ends.
void closeHelp();

}  // namespace tolvane::win32
