#pragma once
// Controls of the Options, Color option and Hot Keys dialogs. The numbers
// are fixed: the help describes the dialogs by them.

// Options (142).
#define IDC_OPTIONS_DEBUG_LOG 1003
#define IDC_OPTIONS_ACTIVITY_LOG 1004
#define IDC_OPTIONS_MINIMIZE_ON_START 1006
#define IDC_OPTIONS_PROMPT_SAVE 1008
#define IDC_OPTIONS_MAKE_BACKUP 1011
#define IDC_OPTIONS_DELETE_DEBUG_LOG 1013
#define IDC_OPTIONS_ALWAYS_ON_TOP 1039
#define IDC_OPTIONS_AUTO_START 1048
#define IDC_OPTIONS_EXIT_SYSTRAY 1053

// Color option (1104): the swatch buttons, each followed by its label.
#define IDC_COLOR_SELECT 1099
#define IDC_COLOR_RANDOM 1100
#define IDC_COLOR_WINDOW_DEFAULT 1101
#define IDC_COLOR_PROGRAM_DEFAULT 1102
#define IDC_COLOR_PREVIOUS_RANDOM 1103
// The dialog's result for OK.
#define IDC_COLOR_OK_RESULT 114

// Hot Keys (166).
#define IDC_HOTKEYS_LIST 1026
#define IDC_HOTKEYS_MASTER 1027
