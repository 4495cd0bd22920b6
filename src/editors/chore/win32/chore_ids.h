#pragma once
// Control ids of the chore editor (dialog IDD_CHORE). The numbers are
// fixed: the help file and users' habits (Enter on a button) know them.

#define IDC_CHORE_TYPE 1017
#define IDC_CHORE_TARGET 1018
#define IDC_CHORE_BROWSE_TARGET 1020
#define IDC_CHORE_HOTKEY 1027
#define IDC_CHORE_ARGUMENTS 1028
#define IDC_CHORE_INITIAL_DIR 1029
#define IDC_CHORE_SITE 1030
#define IDC_CHORE_NEW_WINDOW 1032
#define IDC_CHORE_NAME 1033
#define IDC_CHORE_VIEW 1034
#define IDC_CHORE_BROWSE_DIR 1035
#define IDC_CHORE_START_NEW 1036
#define IDC_CHORE_SITE_LABEL 1087
#define IDC_CHORE_ADD 1019
