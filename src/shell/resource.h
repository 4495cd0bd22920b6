#pragma once
// Resource and command identifiers of Tolvane.exe. The numbers are fixed:
// help topics, saved layouts and the other parts of the program know them.

// Dialog, icon and bitmaps.
#define IDD_TOLVANE_DIALOG 102
#define IDI_TOLVANE 186
#define IDB_TREE_IMAGES 133
#define IDR_TOOLBAR 200
#define IDR_MAIN_MENU 140
#define IDR_ACCELERATORS 141

// "About Tolvane".
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_PROGRAM 1101
#define IDC_ABOUT_COMPANION 1102

// Controls of the main window.
#define IDC_CHORE_TREE 1000
#define IDC_ACTIVITY_LIST 1001
#define IDC_HOTKEY 1033
#define IDC_STATUS_BAR 59393
#define IDC_TOOLBAR 59392

// Status bar panes.
#define ID_PANE_STATUS 5600
#define ID_PANE_CHORES 5601

// Menu bar, toolbar and tray commands.
#define ID_FILE_NEW_CHORE 32788
#define ID_FILE_NEW_CHORELIST 32789
#define ID_FILE_SCHEDULE 32802
#define ID_SCHEDULE_CHORELIST 32791
#define ID_FILE_WIZARD 32798
#define ID_FILE_EXIT 32784
#define ID_EDIT_SELECTED_CHORE 32801
#define ID_EDIT_SELECTED_CHORELIST 32808
#define ID_EDIT_SELECTED 32790
#define ID_VIEW_OPTIONS 32785
#define ID_VIEW_COLOR_OPTIONS 32794
#define ID_VIEW_HOTKEYS 1002
#define ID_HELP_USER_MANUAL 57668
#define ID_HELP_TOPIC 57670
#define ID_APP_ABOUT 123
#define ID_RUN_SELECTED 3002
#define ID_STOP_SELECTED 3003
#define ID_TRAY_SHOW 1086
#define ID_TRAY_EXIT 1085
#define ID_TRAY_STOP_FIRST 7000
#define ID_TRAY_STOP_COUNT 7

// Context menus of the tree and the activity list.
#define ID_TREE_EDIT 1200
#define ID_TREE_RUN 1201
#define ID_TREE_DELETE 1202
#define ID_TREE_STOP 1203
#define ID_SORT_BY_NAME 1204
#define ID_SORT_BY_TYPE 1205
#define ID_TREE_CLONE 1206
#define ID_TREE_SCHEDULE 1207
#define ID_CLEAR_ACTIVITY 1208

// The one-second timer and the notification-area callback.
#define ID_STATUS_TIMER 56
