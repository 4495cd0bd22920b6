#pragma once
// The test dialog of dialog_base_test.rc.

#define IDD_HELPER_TEST 300
#define IDC_NAME 1001
#define IDC_FLAG 1002
#define IDC_TARGET 1003
#define IDC_STEPS 1004
#define IDC_CHORES 1005
#define IDC_VIEW 1006
#define IDC_SAVE 1007
