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
