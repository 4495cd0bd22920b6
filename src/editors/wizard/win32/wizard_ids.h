#pragma once
// Control ids of the chore wizard's frame (IDD_WIZARD) and its four pages
// (IDD_WIZARD_PAGE_*). "Next >>"/"Finish" is IDOK, "Test" 3, "Cancel"
// IDCANCEL. Ids repeat across pages: each page is a dialog of its own.

#define IDC_WIZ_HEADER 3100
#define IDC_WIZ_BACK 3101
#define IDC_WIZ_PICTURE 3102
#define IDC_WIZ_SEPARATOR 3107
#define IDC_WIZ_PAGE_AREA 3108
#define IDC_WIZ_TEST 3

// Page 0: what to make.
#define IDC_WIZ_LAUNCH 1084
#define IDC_WIZ_CAPTURE 1085

// Page 1: the program.
#define IDC_WIZ_ALL_USERS 1076
#define IDC_WIZ_PROGRAM 1077
#define IDC_WIZ_CURRENT_USER 1078
#define IDC_WIZ_BROWSE 1020

// Page 2: the keys.
#define IDC_WIZ_WINDOWS 1051
#define IDC_WIZ_START_CAPTURE 1085
#define IDC_WIZ_KEYSTROKES 1079

// Page 3: name and hot key.
#define IDC_WIZ_NEW_INSTANCE 1036
#define IDC_WIZ_NAME 1044
#define IDC_WIZ_HOTKEY 1027
