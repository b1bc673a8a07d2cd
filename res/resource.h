// Resource identifiers of Orvane.exe (res/Orvane.rc).
#pragma once

#define IDR_MANIFEST 1
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 133  // the program icon
#define IDD_ORVANE_DIALOG 137
#define IDR_TRAYMENU 140
#define IDD_SETCONFIG 148
#define IDR_BUTTONMENU 155

// Menu commands, sent to the main dialog as WM_COMMAND.
#define ID_MENU_EXIT 32771
#define ID_MENU_OPEN 32772
#define ID_MENU_ABOUT 32774
#define ID_MENU_EXPORT 32776
#define ID_MENU_IMPORT 32777

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The key-assignment dialog (IDD_SETCONFIG): its controls, and the string
// ids of the items of its multimedia and function combo boxes.
#define IDC_ASSIGN_TEST 1008
#define IDC_ASSIGN_APPLY 1015
#define IDC_MACRO_ADD 1017
#define IDC_MACRO_DELETE 1018
#define IDC_RECORD 1020
#define IDC_EVENT_DELETE 1021
#define IDC_EVENT_CLEAR 1022
#define IDC_EVENT_TOP 1023
#define IDC_EVENT_UP 1024
#define IDC_EVENT_DOWN 1025
#define IDC_EVENT_BOTTOM 1026
#define IDC_RECORD_DELAY 1027
#define IDC_ASSIGN_MASK 1033
#define IDC_LOOP_COUNT 1125
#define IDC_KEY_NAME 1127
#define IDC_MEDIA_COMBO 1128
#define IDC_FUNCTION_COMBO 1129
#define IDC_MACRO_COMBO 1130
#define IDC_EVENT_LIST 1131
#define IDC_ASSIGN_OK 1999
#define IDC_MODE_SINGLE 2028
#define IDC_MODE_MACRO 2029
#define IDC_MODE_MEDIA 2030
#define IDC_MODE_FUNCTION 2031
#define IDC_ASSIGN_CLEAR 2032
#define IDC_ASSIGN_TITLE 2033
#define IDC_OSK 2034
#define IDC_LOOP_LABEL 22222
#define IDS_MEDIA_ITEM_FIRST 3000    // 7 items
#define IDS_MEDIA_ITEM_COUNT 7
#define IDS_FUNCTION_ITEM_FIRST 3020 // 13 items
#define IDS_FUNCTION_ITEM_COUNT 13
