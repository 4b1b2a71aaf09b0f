// Resource identifiers of the setup program, MARLO.EXE.
#pragma once

#include "framework_ids.h"

// Menu, icon and document template strings share the template's identifier.
#define IDR_MAINFRAME 128

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_INSTALL_OPTIONS 139
#define IDD_EXIT 142
#define IDD_DESTINATION 143
#define IDD_CREATE_DIRECTORY 144

// Controls
#define IDC_INSTALL_SAVER 1000
#define IDC_INSTALL_SOUND 1001
#define IDC_DESTINATION_PATH 1002
#define IDC_BROWSE 1003

// Bitmaps
#define IDB_BACKGROUND 149

// Strings of the setup program itself
#define IDS_PATH_TOO_LONG 200
#define IDS_NO_CURRENT_DIRECTORY 201
