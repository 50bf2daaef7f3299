// Resource ids of Orvane.exe, shared by the resource script and the code.
// One block per template; the numbers are fixed: other programs and the
// end-to-end tests find the controls by them.
#pragma once

// Icon, cursor and menu
#define IDI_ORVANE 128
#define IDC_LINK_HAND 144
#define IDM_ACTION 136
#define ID_ACTION_IMPORT_MAIL 32781
#define ID_ACTION_BACKUP 32780
#define ID_ACTION_RESTORE 32782
#define ID_ACTION_FORCED_RETURN 32774
#define ID_ACTION_EXIT 32772

// About box (100)
#define IDD_ABOUT 100
#define IDC_ABOUT_WEB 1021
#define IDC_ABOUT_MAIL 1022

// Main window (102)
#define IDD_MAIN 102
#define IDC_MAIN_PETS 1025
#define IDC_MAIN_SETTINGS 1026

// First-run setup (129)
#define IDD_SETUP 129
#define IDC_SETUP_BROWSE 1000
#define IDC_SETUP_DIR 1001
#define IDC_SETUP_PETS 1002

// Settings (131)
#define IDD_SETTINGS 131
#define IDC_SETTINGS_PETS 1003
#define IDC_SETTINGS_SHARE_LOGS 1004
#define IDC_SETTINGS_SHARE_TREASURES 1005
#define IDC_SETTINGS_SHARE_FRIENDS 1006
#define IDC_SETTINGS_APPLY 1007
#define IDC_SETTINGS_NAME 1008
#define IDC_SETTINGS_DISCARD 1009
#define IDC_SETTINGS_ENCRYPTED 1012
#define IDC_SETTINGS_ABOUT 1020

// Add a pet (132)
#define IDD_ADD_PET 132
#define IDC_ADD_NAME 1013
#define IDC_ADD_SHARE_LOGS 1014
#define IDC_ADD_SHARE_FRIENDS 1015
#define IDC_ADD_SHARE_TREASURES 1016
#define IDC_ADD_ENCRYPTED 1017

// Password (133)
#define IDD_PASSWORD 133
#define IDC_PASSWORD_TEXT 1018

// Mail import (146)
#define IDD_IMPORT_MAIL 146
#define IDC_IMPORT_PETS 1023
#define IDC_IMPORT_DRAWERS 1024
#define IDC_IMPORT_RECEIVE 1031
#define IDC_IMPORT_SEND 1032

// Restore from a backup (147)
#define IDD_RESTORE 147
#define IDC_RESTORE_BACKUPS 1040
#define IDC_RESTORE_PETS 1041
#define IDC_RESTORE_NAME 1042
