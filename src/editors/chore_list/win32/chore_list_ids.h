#pragma once
// Controls of the chore-list editor (dialog IDD_CHORE_LIST, 145). Fixed
// numbers: the help and the end-to-end tests know them.

#define IDC_LIST_AVAILABLE 1034
#define IDC_LIST_STEPS 1035
#define IDC_LIST_ADD_STEPS 1048
#define IDC_LIST_REMOVE_STEP 1049
#define IDC_LIST_STEP_UP 3200
#define IDC_LIST_STEP_DOWN 3201
#define IDC_LIST_COMPLETION_TYPE 1046
#define IDC_LIST_COMPLETION_DATA 1047
#define IDC_LIST_TIMEOUT 1050
#define IDC_LIST_STEP_HOTKEY 1028
#define IDC_LIST_CONTINUE 1064
#define IDC_LIST_NAME 1044
#define IDC_LIST_HOTKEY 1027
#define IDC_LIST_VIEW 1036
#define IDC_LIST_SCHEDULE 1037
#define IDC_LIST_SAVE 1045
