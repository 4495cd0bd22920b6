#pragma once
// Dialog templates of Tolvane.exe's editors. The numbers are fixed: help
// topics and the dialogs' own code know them. Each editor keeps its control
// ids in its own win32/<name>_ids.h and its template in win32/<name>.rc,
// which Tolvane.exe's resources take in by themselves.

#define IDD_OPTIONS 142
#define IDD_CHORE 144
#define IDD_CHORE_LIST 145
#define IDD_PICKER 148
#define IDD_FILE_OPERATION 164
#define IDD_SCHEDULE 165
#define IDD_HOT_KEYS 166
#define IDD_COLOR_OPTIONS 1104
#define IDD_WIZARD 3103
#define IDD_WIZARD_PAGE_TYPE 4000
#define IDD_WIZARD_PAGE_PROGRAM 4001
#define IDD_WIZARD_PAGE_KEYS 4002
#define IDD_WIZARD_PAGE_NAME 4003

// The wizard's picture.
#define IDB_WIZARD 180
